#include "storage/ini_section.h"

std::vector<std::string> SplitAtNuls(const char* buffer, size_t count) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < count) {
        size_t end = start;
        while (end < count && buffer[end] != '\0') ++end;
        entries.emplace_back(buffer + start, end - start);
        start = end + 1;
    }
    return entries;
}

bool SplitKeyValues(const std::vector<std::string>& entries, std::vector<std::string>& keys,
                    std::vector<std::string>& values) {
    keys.clear();
    values.clear();
    for (const std::string& entry : entries) {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos) return false;
        keys.push_back(entry.substr(0, equals));
        values.push_back(entry.substr(equals + 1));
    }
    return true;
}
