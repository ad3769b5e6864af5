#include "fslink/fsconnect_client.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kOverflow = "Overflow";
const char* const kTypeMismatch = "Type mismatch";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A field of the status reply: one to eight hexadecimal digits, eight giving the two's complement.
bool ParseHexNumber(const std::string& digits, int32_t& number) {
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    std::memcpy(&number, &value, sizeof number);
    return true;
}

// Bytes first to first+count-1 (counted from 1) as a little-endian value.
template <class T>
T LittleEndian(const uint8_t (&record)[256], int first) {
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = record[first + i];  // the platform is little-endian
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::string Field(const std::string& text, size_t first, size_t count) {
    return first - 1 < text.size() ? text.substr(first - 1, count) : std::string();
}

}  // namespace

bool fscHexToBytes(const std::string& text, uint8_t (&record)[256]) {
    std::memset(record, 0, sizeof record);
    const size_t pairs = std::min<size_t>(text.size() / 2, 127);
    for (size_t i = 1; i <= pairs; ++i) {
        const int high = HexDigit(text[2 * i - 2]);
        const int low = HexDigit(text[2 * i - 1]);
        if (high < 0 || low < 0) return false;
        record[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
}

FscClient::FscClient(FscPlatform& platform, std::function<void(const std::string& message)> reportFault,
                     uint32_t answerTimeMs)
    : platform_(platform), reportFault_(std::move(reportFault)), deadline_(platform.NowMs() + answerTimeMs) {}

bool FscClient::fscConnect() {
    fscMessageId = platform_.RegisterMessage("WM_FSCONNECT");
    fscWindow = platform_.FindTopWindow("FSCONNECT8");
    return fscMessageId != 0 && fscWindow != 0;
}

// Sends one request; on the atom path the reply text is the atom's name, and the atom is deleted.
int16_t FscClient::Request(uintptr_t wParam, intptr_t lParam, std::string& reply) {
    if (!fscConnect()) return 1;
    const uint64_t now = platform_.NowMs();
    if (now >= deadline_) return 1;
    intptr_t result = 0;
    if (!platform_.Send(fscWindow, fscMessageId, wParam, lParam, static_cast<uint32_t>(deadline_ - now), result)) {
        return 1;
    }
    const int32_t wide = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uintptr_t>(result)));
    if (wide < INT16_MIN || wide > INT16_MAX) {
        fault_ = kOverflow;
        return kFscFault;
    }
    const int16_t value = static_cast<int16_t>(wide);
    if (value > 0) return value;
    if (value == 0) return 1;
    const uint16_t atom = static_cast<uint16_t>(value);
    reply = platform_.AtomName(atom, 255);
    platform_.DeleteAtom(atom);
    // An atom whose name could not be read delivered nothing.
    return reply.empty() ? 1 : 0;
}

int16_t FscClient::fscGetStatus(std::string& firstText, std::string& remainingText, int32_t& firstNumber,
                                int32_t& secondNumber) {
    std::string reply;
    const int16_t result = Request(FSC_REQUEST_STATUS, 0, reply);
    if (result != 0) return result;
    int32_t first = 0, second = 0;
    if (!ParseHexNumber(Field(reply, 6, 8), first) || !ParseHexNumber(Field(reply, 14, 8), second)) {
        fault_ = kTypeMismatch;
        return kFscFault;
    }
    firstText = Field(reply, 1, 5);
    firstNumber = first;
    secondNumber = second;
    remainingText = Field(reply, 22, std::string::npos);
    return 0;
}

int16_t FscClient::fscGetVariable(int32_t code, const std::string& typeLetter, FscValue& value,
                                  std::string& replyText, int32_t& header) {
    std::string reply;
    const int16_t result = Request(FSC_REQUEST_READ, code, reply);
    if (result != 0) return result;
    uint8_t record[256];
    if (!fscHexToBytes(reply, record)) {
        fault_ = kTypeMismatch;
        return kFscFault;
    }
    header = LittleEndian<int32_t>(record, 1);
    const char letter =
        typeLetter.size() == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(typeLetter[0]))) : '\0';
    if (letter == 'n' || letter == 'b') {
        value.kind = FscValue::Kind::Double;
        value.real = LittleEndian<double>(record, 5);
    } else if (letter != '\0' && std::strchr("efdop", letter)) {
        value.kind = FscValue::Kind::Integer;
        value.integer = LittleEndian<int32_t>(record, 5);
    }
    replyText = Field(reply, 9, std::string::npos);
    return 0;
}

int16_t FscClient::GetPosition(int32_t code, double unitsPerCircle, const char* routine, double& degrees) {
    FscValue value;
    std::string replyText;
    int32_t header = 0;
    const int16_t result = fscGetVariable(code, "n", value, replyText, header);
    if (result == kFscFault) {
        reportFault_(std::string("Error in routine ") + routine + "!\r\r" + fault_);
        return result;
    }
    if (result == 0) degrees = value.real / unitsPerCircle * 360.0;
    return result;
}

int16_t FscClient::fscGetLatitude(double& degrees) {
    return GetPosition(FSC_VAR_LATITUDE, 40007000.0, "fscGetLatitude", degrees);
}

int16_t FscClient::fscGetLongitude(double& degrees) {
    return GetPosition(FSC_VAR_LONGITUDE, 281474976710656.0, "fscGetLongitude", degrees);
}

std::string FormatDegrees(double degrees) {
    if (!std::isfinite(degrees)) return "";
    if (degrees == 0) return "0";
    // 15 significant digits in scientific form, then laid out as a plain decimal.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(degrees));
    std::string digits;
    for (const char* c = scientific; *c && *c != 'e'; ++c) {
        if (*c != '.') digits += *c;
    }
    const int exponent = std::atoi(std::strchr(scientific, 'e') + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string text;
    if (exponent < 0) {
        text = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<size_t>(exponent) + 1 >= digits.size()) {
        text = digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        text = digits.substr(0, static_cast<size_t>(exponent) + 1) + "." + digits.substr(static_cast<size_t>(exponent) + 1);
    }
    return degrees < 0 ? "-" + text : text;
}
