#include "storage/ini_section.h"

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
