#include "storage/ini_write.h"

#include "storage/ini_read.h"
#include "storage/text_file.h"

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) <= 13; }

// At most one empty line between lines (no more than two CR LF pairs in a row), and no control
// characters at either end. One pass over the text.
std::string Tidy(const std::string& text) {
    std::string tidy;
    tidy.reserve(text.size());
    int pairsInARow = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            if (++pairsInARow <= 2) tidy += "\r\n";
            i += 2;
        } else {
            pairsInARow = 0;
            tidy += text[i++];
        }
    }
    size_t end = tidy.size();
    while (end > 0 && IsControl(tidy[end - 1])) --end;
    size_t start = 0;
    while (start < end && IsControl(tidy[start])) ++start;
    return tidy.substr(start, end - start);
}

}  // namespace

std::string SetIniValue(const std::string& original, const std::string& section, const std::string& key,
                        const std::string& value, const LeadBytes& lead) {
    const std::string header = "\r\n[" + LowerCase(section) + "]\r";
    const std::string keyPattern = "\n" + LowerCase(key) + "=";
    const std::string entry = key + "=" + value;
    // The leading CR LF lets a header on the first line match; the trailing "[]" puts a "["
    // after every section.
    std::string text = "\r\n" + original + "[]";
    const std::string lower = LowerCase(text);
    text.erase(text.size() - 2);

    const size_t headerAt = lower.find(header);
    if (headerAt == std::string::npos) {
        text += "\r\n\r\n[" + section + "]\r\n" + entry;
    } else {
        // The header line ends with CR LF, or with a lone CR, after which the new line starts.
        const size_t lineEnd = headerAt + header.size();
        const size_t sectionEnd = FindCharacter(lower, "[", lineEnd, lead);
        const size_t keyAt = lower.find(keyPattern, headerAt);
        if (keyAt == std::string::npos || keyAt > sectionEnd) {
            text.insert(lineEnd < text.size() && text[lineEnd] == '\n' ? lineEnd + 1 : lineEnd, entry + "\r\n");
        } else {
            const size_t keyStart = keyAt + 1;
            size_t keyEnd = text.find('\r', keyStart);
            if (keyEnd == std::string::npos) keyEnd = text.size();
            text.replace(keyStart, keyEnd - keyStart, entry);
        }
    }
    return Tidy(text.substr(1)) + "\r\n";
}

std::error_code ReplaceIniFile(const std::string& filePath, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WriteWholeFile(filePath, SetIniValue("", section, key, value));
}
