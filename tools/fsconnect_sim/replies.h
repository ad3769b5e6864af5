#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "command_line.h"

// What the simulator answers, without Win32: FSConnect's units, the reply texts and the
// choice of the answer to a request. The window turns a text into a global atom.

constexpr uintptr_t kRequestRead = 1;
constexpr uintptr_t kRequestStatus = 10;
constexpr intptr_t kVariableLatitude = 71;
constexpr intptr_t kVariableLongitude = 72;

// The answer to a read of any other variable: a positive status code, the simulator's choice.
constexpr int32_t kUnknownVariableCode = 3;
// The --out-of-range result: above what a signed 16-bit number holds.
constexpr int32_t kOutOfRangeValue = 40000;

// The status reply's fields: five characters, two 32-bit numbers (the FSConnect version 8.00
// and the simulator version 9, FS2004) and free text.
extern const char* const kStatusName;
constexpr uint32_t kStatusVersion = 0x0800;
constexpr uint32_t kStatusSimulator = 9;
extern const char* const kStatusText;

// FSConnect's units: 40,007,000 a full circle of latitude, 2^48 a full circle of longitude.
double LatitudeUnits(double degrees);
double LongitudeUnits(double degrees);

// A read reply: the 4-byte header then the double, each little-endian, two upper-case hex
// digits a byte. The simulator's header is always 0.
std::string ReadReplyText(int32_t header, double value);

// The status reply: kStatusName, the two numbers as eight hex digits each, kStatusText.
std::string StatusReplyText();

struct Reply {
    enum class Kind { Value, Text, Never } kind = Kind::Value;
    int32_t value = 0;  // Kind::Value: the message result as it is
    std::string text;   // Kind::Text: the name of the atom whose number is the result
    int delayMs = 0;    // wait this long before answering
};

// The answer to one request. Faults and --slow concern status requests and reads of latitude
// and longitude (as far as the scope allows); reads of other variables get
// kUnknownVariableCode and requests of other kinds 0, whatever the switches.
Reply Respond(const SimOptions& options, uintptr_t wParam, intptr_t lParam);

// A line of the request log; result is empty when the request is never answered.
std::string LogLine(uintptr_t wParam, intptr_t lParam, std::optional<intptr_t> result, const std::string& text);
