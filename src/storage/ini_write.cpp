#include "storage/ini_write.h"

#include "storage/ini_read.h"
#include "storage/text_file.h"

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) <= 13; }

// At most one empty line between lines, and no control characters at either end.
std::string Tidy(std::string text) {
    const std::string three = "\r\n\r\n\r\n";
    for (size_t at = text.find(three); at != std::string::npos; at = text.find(three, at)) text.erase(at, 2);
    size_t end = text.size();
    while (end > 0 && IsControl(text[end - 1])) --end;
    size_t start = 0;
    while (start < end && IsControl(text[start])) ++start;
    return text.substr(start, end - start);
}

}  // namespace

std::string SetIniValue(const std::string& original, const std::string& section, const std::string& key,
                        const std::string& value) {
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
        const size_t sectionEnd = lower.find('[', lineEnd);
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

std::error_code WriteIniValue(const std::string& filePath, const std::string& section, const std::string& key,
                              const std::string& value) {
    if (std::error_code error = CreateFileIfMissing(filePath)) return error;
    if (std::error_code error = ResetFileAttributes(filePath)) return error;
    const FileContent content = ReadWholeFile(filePath);
    if (content.error) return content.error;
    return WriteWholeFile(filePath, SetIniValue(content.bytes, section, key, value));
}

std::error_code ReplaceIniFile(const std::string& filePath, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WriteWholeFile(filePath, SetIniValue("", section, key, value));
}
