#include "storage/ini_read.h"

#include "storage/text_file.h"

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string FindIniValue(const std::string& text, const std::string& section, const std::string& key,
                         const LeadBytes& lead) {
    const std::string header = "[" + LowerCase(section) + "]";
    const std::string keyPrefix = LowerCase(key) + "=";
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        // A line ends at CR LF or at a lone CR; a lone LF stays inside the line.
        size_t end = text.find('\r', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (start < text.size() && text[start] == '\n') ++start;

        const std::string lower = LowerCase(line);
        const bool bracket = FindCharacter(line, "[", 0, lead) != std::string::npos;
        if (bracket) inSection = false;
        if (lower == header) inSection = true;
        if (bracket || !inSection) continue;
        if (lower.compare(0, keyPrefix.size(), keyPrefix) == 0) return line.substr(keyPrefix.size());
    }
    return "";
}

bool ReadsBackAsIniValue(const std::string& value, const LeadBytes& lead) {
    return FindCharacter(value, "[\r", 0, lead) == std::string::npos;
}

Result<std::string> ReadIniValue(const std::string& filePath, const std::string& section, const std::string& key) {
    Result<std::string> result;
    if ((result.error = CreateFileIfMissing(filePath))) return result;
    if ((result.error = ResetFileAttributes(filePath))) return result;
    const Result<std::string> content = ReadWholeFile(filePath);
    if ((result.error = content.error)) return result;
    result.value = FindIniValue(content.value, section, key);
    return result;
}

std::string PeekIniValue(const std::string& filePath, const std::string& section, const std::string& key) {
    const Result<std::string> content = ReadWholeFile(filePath);
    return content.error ? "" : FindIniValue(content.value, section, key);
}
