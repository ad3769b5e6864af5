#include "storage/project_file.h"

#include <cctype>

const char* const kAreaSection = "area";
const char* const kExclusionSection = "exclusion";
const char* const kOtherSection = "other";
const char* const kDeleteSourceKey = "DeleteSource";

const std::array<const char*, 4> kAreaKeys = {"latitudemaximum", "longitudeminimum", "latitudeminimum",
                                              "longitudemaximum"};

std::vector<std::string> ExclusionKeys() {
    std::vector<std::string> keys;
    for (const ObjectTypeInfo& type : kObjectTypes) keys.push_back(type.projectKey);
    return keys;
}

std::string CheckStateText(CheckState state) { return std::to_string(static_cast<int>(state)); }

ProjectLoad LoadProject(const std::optional<std::vector<std::string>>& area,
                        const std::optional<std::vector<std::string>>& exclusion,
                        const std::optional<std::vector<std::string>>& other) {
    ProjectLoad load;
    if (!area) return load;
    for (size_t i = 0; i < kAreaKeys.size(); ++i) {
        if (i >= area->size()) return load;
        load.coordinates.push_back((*area)[i]);
    }
    if (!exclusion) return load;
    for (size_t i = 0; i < kObjectTypes.size(); ++i) {
        const std::optional<CheckState> state = i < exclusion->size() ? ParseCheckState((*exclusion)[i]) : std::nullopt;
        if (!state) return load;
        load.objectTypes.push_back(*state);
    }
    if (other && !other->empty()) load.deleteSource = ParseCheckState(other->front());
    return load;
}

std::optional<CheckState> ParseCheckState(const std::string& text) {
    size_t start = text.find_first_not_of(" \t");
    const size_t end = text.find_last_not_of(" \t");
    if (start == std::string::npos) return std::nullopt;
    bool negative = false;
    if (text[start] == '+' || text[start] == '-') negative = text[start++] == '-';
    if (start > end) return std::nullopt;
    long value = 0;
    for (size_t i = start; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 2) return std::nullopt;
    }
    if (negative && value != 0) return std::nullopt;
    return static_cast<CheckState>(value);
}
