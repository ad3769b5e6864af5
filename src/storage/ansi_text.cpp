#include "storage/ansi_text.h"

#include <cstring>

namespace {

bool IsLead(char c, const LeadBytes& lead) {
    return lead[static_cast<unsigned char>(c)];
}

bool IsOneOf(char c, const char* characters) {
    return c != '\0' && std::strchr(characters, c);
}

}  // namespace

size_t FindCharacter(const std::string& text, const char* characters, size_t from, const LeadBytes& lead) {
    for (size_t i = from; i < text.size(); i += IsLead(text[i], lead) ? 2 : 1) {
        if (IsOneOf(text[i], characters)) return i;
    }
    return std::string::npos;
}

size_t FindLastCharacter(const std::string& text, const char* characters, const LeadBytes& lead) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); i += IsLead(text[i], lead) ? 2 : 1) {
        if (IsOneOf(text[i], characters)) last = i;
    }
    return last;
}

size_t FileNameStart(const std::string& path, const LeadBytes& lead) {
    const size_t separator = FindLastCharacter(path, "\\/:", lead);
    return separator == std::string::npos ? 0 : separator + 1;
}
