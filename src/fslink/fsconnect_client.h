#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What the FSConnect client needs of the platform: one registered window message sent to
// FSConnect's window, the global atoms its replies come in, and a clock. Handles are plain
// numbers here, so the client itself runs anywhere.
class FscPlatform {
public:
    virtual ~FscPlatform() = default;
    virtual uint32_t RegisterMessage(const std::string& name) = 0;          // 0: failed
    virtual uintptr_t FindTopWindow(const std::string& className) = 0;      // 0: none
    // The message's result, or false when no answer came within timeoutMs. An answer that comes
    // later is the platform's to clear up: its reply atom must not stay behind.
    virtual bool Send(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
                      intptr_t& result) = 0;
    virtual uint64_t NowMs() = 0;  // milliseconds of a clock that only goes forward
    // The atom's name read into a buffer of that many characters; "" when none was copied.
    virtual std::string AtomName(uint16_t atom, int bufferSize) = 0;
    virtual void DeleteAtom(uint16_t atom) = 0;
};

constexpr uintptr_t FSC_REQUEST_STATUS = 10;
constexpr uintptr_t FSC_REQUEST_READ = 1;
constexpr int32_t FSC_VAR_LATITUDE = 71;
constexpr int32_t FSC_VAR_LONGITUDE = 72;

// How long FSConnect has for all the requests of one client together, that is of one capture.
constexpr uint32_t kFscAnswerTimeMs = 5000;

// A result of a request: 0 success, 1 FSConnect not reachable or no answer, other positive
// values FSConnect's own codes; kFscFault for a reply the client cannot take.
constexpr int16_t kFscFault = -1;

// A read value: a double for the type letters "n" and "b", a 32-bit integer for "e", "f", "d",
// "o" and "p".
struct FscValue {
    enum class Kind { None, Double, Integer } kind = Kind::None;
    double real = 0;
    int32_t integer = 0;
};

// The record a read reply's hexadecimal text encodes: bytes 1 to 255, all zero where the text
// gives none. False, with the record partly filled, when a digit pair is not hexadecimal.
bool fscHexToBytes(const std::string& text, uint8_t (&record)[256]);

// The client of FSConnect: it only reads, and holds no connection between requests. Its
// requests share one deadline, answerTimeMs from its making: a request that would begin after
// it is not sent and counts as no answer.
class FscClient {
public:
    // Faults in the position routines are shown through reportFault.
    FscClient(FscPlatform& platform, std::function<void(const std::string& message)> reportFault,
              uint32_t answerTimeMs = kFscAnswerTimeMs);

    bool fscConnect();
    int16_t fscGetStatus(std::string& firstText, std::string& remainingText, int32_t& firstNumber,
                         int32_t& secondNumber);
    int16_t fscGetVariable(int32_t code, const std::string& typeLetter, FscValue& value, std::string& replyText,
                           int32_t& header);
    int16_t fscGetLatitude(double& degrees);
    int16_t fscGetLongitude(double& degrees);

    // What the last kFscFault result was about.
    const std::string& fault() const { return fault_; }

    uint32_t fscMessageId = 0;
    uintptr_t fscWindow = 0;

private:
    int16_t Request(uintptr_t wParam, intptr_t lParam, std::string& reply);
    int16_t GetPosition(int32_t code, double unitsPerCircle, const char* routine, double& degrees);

    FscPlatform& platform_;
    std::function<void(const std::string&)> reportFault_;
    uint64_t deadline_;
    std::string fault_;
};

// Degrees as a capture writes them: up to 15 significant digits, trailing zeros dropped, a
// decimal point whatever the regional settings, no exponent. "" for a value that is no number
// or infinite, which no position is.
std::string FormatDegrees(double degrees);
