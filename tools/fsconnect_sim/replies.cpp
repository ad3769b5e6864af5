#include "replies.h"

#include <cstring>

const char* const kStatusName = "FSC8 ";
const char* const kStatusText = "Zonewright FSConnect simulator";

namespace {

const char* const kHexDigits = "0123456789ABCDEF";

// The value's bytes from the lowest, whatever the order of the machine's memory.
void AppendLittleEndian(std::string& text, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        const unsigned byte = static_cast<unsigned>(value >> (8 * i)) & 0xFF;
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0xF];
    }
}

// A number as FSConnect writes it in the status: eight digits, the most significant first.
std::string Hex32(uint32_t number) {
    std::string text;
    for (int shift = 28; shift >= 0; shift -= 4) text += kHexDigits[(number >> shift) & 0xF];
    return text;
}

bool InScope(FaultScope scope, bool isStatus) {
    return scope == FaultScope::Both || (scope == FaultScope::StatusOnly) == isStatus;
}

}  // namespace

double LatitudeUnits(double degrees) {
    return degrees / 360.0 * 40007000.0;
}

double LongitudeUnits(double degrees) {
    return degrees / 360.0 * 281474976710656.0;
}

std::string ReadReplyText(int32_t header, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    std::string text;
    AppendLittleEndian(text, static_cast<uint32_t>(header), 4);
    AppendLittleEndian(text, bits, 8);
    return text;
}

std::string StatusReplyText() {
    return kStatusName + Hex32(kStatusVersion) + Hex32(kStatusSimulator) + kStatusText;
}

Reply Respond(const SimOptions& options, uintptr_t wParam, intptr_t lParam) {
    Reply reply;
    const bool isStatus = wParam == kRequestStatus;
    const bool isPosition = wParam == kRequestRead && (lParam == kVariableLatitude || lParam == kVariableLongitude);
    if (!isStatus && !isPosition) {
        reply.value = wParam == kRequestRead ? kUnknownVariableCode : 0;
        return reply;
    }
    reply.kind = Reply::Kind::Text;
    if (isStatus) {
        reply.text = StatusReplyText();
    } else {
        const double units =
            lParam == kVariableLatitude ? LatitudeUnits(options.latitude) : LongitudeUnits(options.longitude);
        reply.text = ReadReplyText(0, units);
    }
    if (!InScope(options.scope, isStatus)) return reply;

    reply.delayMs = options.slowMs;
    switch (options.fault) {
        case Fault::None: break;
        case Fault::ReplyZero:
            reply.kind = Reply::Kind::Value;
            reply.value = 0;
            break;
        case Fault::Code:
            reply.kind = Reply::Kind::Value;
            reply.value = options.code;
            break;
        case Fault::OutOfRange:
            reply.kind = Reply::Kind::Value;
            reply.value = kOutOfRangeValue;
            break;
        case Fault::Hang: reply.kind = Reply::Kind::Never; break;
        case Fault::NonHex:
            // The first byte of the value; the length stays right, so only the digits are wrong.
            if (!isStatus) reply.text.replace(8, 2, "ZZ");
            break;
        case Fault::BadStatus:
            if (isStatus) reply.text = std::string(kStatusName) + "ZZZZZZZZ";
            break;
    }
    if (reply.kind != Reply::Kind::Text) reply.text.clear();
    return reply;
}

std::string LogLine(uintptr_t wParam, intptr_t lParam, std::optional<intptr_t> result, const std::string& text) {
    std::string line = "wParam=" + std::to_string(wParam) + " lParam=" + std::to_string(lParam) +
                       " result=" + (result ? std::to_string(*result) : std::string("never"));
    if (!text.empty()) line += " text=" + text;
    return line;
}
