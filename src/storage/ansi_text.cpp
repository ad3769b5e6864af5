#include "storage/ansi_text.h"

#include <cstring>

namespace {

bool IsLead(char c, const LeadBytes& lead) {
    return lead[static_cast<unsigned char>(c)];
}

bool IsOneOf(char c, const char* characters) {
    return c != '\0' && std::strchr(characters, c);
}

bool StartsWith(const std::string& text, const char* start) {
    return text.compare(0, std::strlen(start), start) == 0;
}

// Whether a folder that ends with its separator is a root: of a drive (Y:\, \\?\Y:\), of a share
// (\\server\share\, \\?\UNC\server\share\) or of the current drive (\).
bool IsRoot(const std::string& folder, const LeadBytes& lead) {
    std::string rest = folder;
    bool share = false;
    if (StartsWith(rest, "\\\\?\\") || StartsWith(rest, "\\\\.\\")) {
        rest.erase(0, 4);
        share = StartsWith(rest, "UNC\\") || StartsWith(rest, "unc\\");
        if (share) rest.erase(0, 4);
    } else if (rest.size() > 2 && IsOneOf(rest[0], "\\/") && IsOneOf(rest[1], "\\/")) {
        rest.erase(0, 2);
        share = true;
    }
    if (!share) return rest.size() == 1 || (rest.size() == 3 && rest[1] == ':');
    // server\share\: one separator inside, one at the end.
    const size_t server = FindCharacter(rest, "\\/", 0, lead);
    return server != std::string::npos && server > 0 && server + 2 < rest.size() &&
           FindCharacter(rest, "\\/", server + 1, lead) == rest.size() - 1;
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

std::string FolderOf(const std::string& path, const LeadBytes& lead) {
    const size_t nameStart = FileNameStart(path, lead);
    if (nameStart == 0) return "";
    std::string folder = path.substr(0, nameStart);
    if (IsOneOf(folder.back(), "\\/") && !IsRoot(folder, lead)) folder.pop_back();
    return folder;
}

std::string InFolder(const std::string& folder, const std::string& name, const LeadBytes& lead) {
    if (folder.empty()) return name;
    const bool separated = FindLastCharacter(folder, "\\/", lead) == folder.size() - 1;
    return folder + (separated ? "" : "\\") + name;
}
