// FSConnect's replies: the atom text of a status or read request, any bytes, through the client
// and the capture buttons' routine.
// Input: the atom text. A first byte 0x01 instead gives a raw reply value in the next four bytes
// (little-endian, sign-extended) and the atom text after them; 0x02: no answer in time; 0x03:
// FSConnect not running.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "fslink/fsconnect_client.h"
#include "fslink/position_capture.h"
#include "fuzz_input.h"

namespace {

const uint16_t kAtom = 0xC123;

class FuzzPlatform : public FscPlatform {
public:
    uint32_t RegisterMessage(const std::string&) override { return 0xC0DE; }
    uintptr_t FindTopWindow(const std::string&) override { return running ? 0x1234 : 0; }
    bool Send(uintptr_t, uint32_t, uintptr_t, intptr_t, uint32_t, intptr_t& result) override {
        result = reply;
        return answers;
    }
    // As GlobalGetAtomNameA: at most bufferSize - 1 characters.
    std::string AtomName(uint16_t atom, int bufferSize) override {
        Require(atom == static_cast<uint16_t>(reply) && bufferSize == 255, "the reply's atom is read into 255");
        ++reads;
        return atomText.substr(0, static_cast<size_t>(bufferSize - 1));
    }
    void DeleteAtom(uint16_t) override { ++deletions; }
    uint64_t NowMs() override { return 0; }

    std::string atomText;
    intptr_t reply = static_cast<int16_t>(kAtom);  // sign-extended, as FSConnect sends it
    bool answers = true, running = true;
    int reads = 0, deletions = 0;
};

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// A model of one request: its result, and the reply text on the atom path.
int16_t ExpectedRequest(const FuzzPlatform& platform, std::string& reply) {
    if (!platform.running || !platform.answers) return 1;
    const int32_t wide = static_cast<int32_t>(static_cast<uint32_t>(platform.reply));
    if (wide < -32768 || wide > 32767) return kFscFault;
    if (wide > 0) return static_cast<int16_t>(wide);
    if (wide == 0) return 1;
    reply = platform.atomText.substr(0, 254);
    return reply.empty() ? 1 : 0;
}

int32_t HexNumber(const std::string& digits) {
    return static_cast<int32_t>(static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16)));
}

// The record the hex text encodes, or false when a digit pair is not hexadecimal.
bool DecodeRecord(const std::string& text, uint8_t (&record)[256]) {
    std::memset(record, 0, sizeof record);
    for (size_t i = 1; i <= 127 && 2 * i <= text.size(); ++i) {
        const std::string pair = text.substr(2 * i - 2, 2);
        if (!IsHex(pair[0]) || !IsHex(pair[1])) return false;
        record[i] = static_cast<uint8_t>(std::strtoul(pair.c_str(), nullptr, 16));
    }
    return true;
}

// FormatDegrees: plain decimal of at most 15 significant digits that reads back as the number.
void CheckFormat(double degrees) {
    if (!std::isfinite(degrees)) return;
    const std::string text = FormatDegrees(degrees);
    const size_t point = text.find('.');
    Require(text.find_first_not_of("-0123456789.") == std::string::npos && text.rfind('-') + 1 <= 1 &&
                point == text.rfind('.'),
            "only a sign, digits and one point");
    Require(point == std::string::npos || (point > 0 && text.back() != '0' && text.back() != '.'),
            "no trailing zeros after the point");
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9' && (c != '0' || !digits.empty())) digits += c;
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    Require(digits.size() <= 15, "at most 15 significant digits");
    char* end = nullptr;
    const double back = std::strtod(text.c_str(), &end);
    Require(*end == '\0' && std::fabs(back - degrees) <= 1e-13 * std::fabs(degrees), "the text reads back");
}

void CheckStatus(FscClient& client, const FuzzPlatform& platform) {
    std::string reply;
    const int16_t expected = ExpectedRequest(platform, reply);
    std::string first = "unset", rest = "unset";
    int32_t a = 5, b = 6;
    const int16_t result = client.fscGetStatus(first, rest, a, b);
    const bool parsed = expected == 0 && reply.size() >= 14 &&
                        reply.substr(5, 16).find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!parsed) {
        const bool mismatch = expected == 0 && result == kFscFault && client.fault() == "Type mismatch";
        Require(result == expected || mismatch, "the status result");
        Require(first == "unset" && rest == "unset" && a == 5 && b == 6, "a failed status changes nothing");
        return;
    }
    Require(result == 0 && first == reply.substr(0, 5) && rest == (reply.size() > 21 ? reply.substr(21) : ""),
            "the status texts split by position");
    Require(a == HexNumber(reply.substr(5, 8)) && b == HexNumber(reply.substr(13, 8)), "the status numbers");
}

void CheckRead(FscClient& client, const FuzzPlatform& platform, const char* letter) {
    std::string reply;
    const int16_t expected = ExpectedRequest(platform, reply);
    uint8_t record[256];
    const bool decoded = DecodeRecord(reply, record);
    FscValue value;
    std::string text = "unset";
    int32_t header = 5;
    const int16_t result = client.fscGetVariable(FSC_VAR_LATITUDE, letter, value, text, header);
    if (expected != 0 || !decoded) {
        Require(result == (expected != 0 ? expected : kFscFault), "the read result");
        Require(value.kind == FscValue::Kind::None && text == "unset" && header == 5, "a failed read changes nothing");
        return;
    }
    Require(result == 0 && std::memcmp(&header, record + 1, 4) == 0, "the header is bytes 1 to 4");
    Require(text == (reply.size() > 8 ? reply.substr(8) : ""), "the reply text from character 9");
    const std::string l = letter;
    if (l == "n" || l == "N" || l == "b" || l == "B") {
        Require(value.kind == FscValue::Kind::Double && std::memcmp(&value.real, record + 5, 8) == 0, "a double");
        CheckFormat(value.real / 40007000.0 * 360.0);
    } else if (l.size() == 1 && std::strchr("efdopEFDOP", l[0])) {
        Require(value.kind == FscValue::Kind::Integer && std::memcmp(&value.integer, record + 5, 4) == 0,
                "an integer");
    } else {
        Require(value.kind == FscValue::Kind::None, "no value for other type letters");
    }
}

void CheckPosition(FscClient& client, const FuzzPlatform& platform, std::vector<std::string>& faults, bool latitude) {
    std::string reply;
    const int16_t expected = ExpectedRequest(platform, reply);
    faults.clear();
    double degrees = 1234.5;
    const int16_t result = latitude ? client.fscGetLatitude(degrees) : client.fscGetLongitude(degrees);
    if (result == 0) {
        uint8_t record[256];
        double real;
        Require(expected == 0 && DecodeRecord(reply, record), "a capture only from a whole reply");
        std::memcpy(&real, record + 5, 8);
        const double scaled = real / (latitude ? 40007000.0 : 281474976710656.0) * 360.0;
        Require(degrees == scaled || (std::isnan(degrees) && std::isnan(scaled)), "FSConnect's units scaled");
        CheckFormat(degrees);
        return;
    }
    Require(degrees == 1234.5, "a failed capture changes nothing");
    if (result == kFscFault) {
        const std::string routine = latitude ? "fscGetLatitude" : "fscGetLongitude";
        Require(faults.size() == 1 && faults[0] == "Error in routine " + routine + "!\r\r" + client.fault(),
                "a fault is shown once, naming its routine");
    } else {
        Require(result == expected && faults.empty(), "no answer is shown as no fault");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    FuzzPlatform platform;
    platform.atomText = input;
    if (size > 0 && data[0] >= 1 && data[0] <= 3) {
        uint8_t raw[4] = {};
        std::memcpy(raw, data + 1, std::min<size_t>(size - 1, 4));
        int32_t value;
        std::memcpy(&value, raw, 4);
        if (data[0] == 1) platform.reply = value;
        platform.answers = data[0] != 2;
        platform.running = data[0] != 3;
        platform.atomText = input.substr(std::min<size_t>(size, 5));
    }

    std::vector<std::string> faults;
    FscClient client(platform, [&faults](const std::string& message) { faults.push_back(message); });
    CheckStatus(client, platform);
    for (const char* letter : {"n", "N", "b", "e", "F", "d", "o", "p", "x", "", "nn"}) CheckRead(client, platform, letter);
    CheckPosition(client, platform, faults, true);
    CheckPosition(client, platform, faults, false);
    for (Coordinate coordinate : {Coordinate::Latitude, Coordinate::Longitude}) {
        const Result<std::string> captured = CapturePosition(client, coordinate);
        std::string first, rest;
        int32_t a = 0, b = 0;
        double degrees = 0;
        const bool status = client.fscGetStatus(first, rest, a, b) == 0;
        const bool position = (coordinate == Coordinate::Latitude ? client.fscGetLatitude(degrees)
                                                                  : client.fscGetLongitude(degrees)) == 0;
        Require(!captured.error == (status && position && std::isfinite(degrees)) &&
                    (captured.error || captured.value == FormatDegrees(degrees)),
                "a capture writes the finite position it read after a status");
    }
    Require(platform.deletions == platform.reads, "every reply atom is deleted once");

    // The decoder alone on the whole input, beyond the 254 characters an atom holds.
    uint8_t record[256], expected[256];
    const bool ok = fscHexToBytes(input, record);
    Require(ok == DecodeRecord(input, expected), "decodes exactly when every digit pair is hexadecimal");
    Require(!ok || std::memcmp(record, expected, sizeof record) == 0, "the decoded record");
    Require(record[0] == 0 && std::all_of(record + 128, record + 256, [](uint8_t b) { return b == 0; }),
            "bytes past the 127 pairs stay zero");

    // Any finite number that a capture could produce.
    if (size >= 8) {
        double number;
        std::memcpy(&number, data, 8);
        // Within 15 digits of the largest double the text rounds past it: no degrees come near.
        if (std::fabs(number) <= 1e300) CheckFormat(number);
    }
    return 0;
}
