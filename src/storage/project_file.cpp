#include "storage/project_file.h"

#include <cctype>

#include "storage/file_system.h"
#include "storage/text_file.h"

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

std::error_code CheckProjectFile(const std::string& path) {
    if (const std::error_code error = TryReading(path)) return error;
    const Result<FileStat> stat = StatFile(path);
    if (stat.error) return stat.error;
    return stat.value.size > kProjectFileLimit ? std::error_code(Failure::FileTooLarge) : std::error_code{};
}

ProjectLoad LoadProject(const SectionValues& area, const SectionValues& exclusion, const SectionValues& other) {
    ProjectLoad load;
    if (area.error) return load;
    for (size_t i = 0; i < kAreaKeys.size(); ++i) {
        if (i >= area.value.size()) return load;
        load.coordinates.push_back(area.value[i]);
    }
    if (exclusion.error) return load;
    for (size_t i = 0; i < kObjectTypes.size(); ++i) {
        if (i >= exclusion.value.size()) return load;
        const Result<CheckState> state = ParseCheckState(exclusion.value[i]);
        if (state.error) return load;
        load.objectTypes.push_back(state.value);
    }
    if (other.error || other.value.empty()) return load;
    const Result<CheckState> deleteSource = ParseCheckState(other.value.front());
    if (!deleteSource.error) load.deleteSource = deleteSource.value;
    return load;
}

Result<CheckState> ParseCheckState(const std::string& text) {
    Result<CheckState> state;
    state.error = Failure::NotACheckState;
    size_t start = text.find_first_not_of(" \t");
    const size_t end = text.find_last_not_of(" \t");
    if (start == std::string::npos) return state;
    bool negative = false;
    if (text[start] == '+' || text[start] == '-') negative = text[start++] == '-';
    if (start > end) return state;
    long value = 0;
    for (size_t i = start; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return state;
        value = value * 10 + (text[i] - '0');
        if (value > 2) return state;
    }
    if (negative && value != 0) return state;
    state.value = static_cast<CheckState>(value);
    state.error.clear();
    return state;
}
