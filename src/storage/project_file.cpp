#include "storage/project_file.h"

#include <algorithm>
#include <cctype>

#include "storage/file_system.h"
#include "storage/ini_document.h"
#include "storage/ini_section.h"
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

namespace {

// What loading one area sets, up to its first missing or unusable value.
struct AreaLoad {
    std::vector<std::string> coordinates;
    std::vector<CheckState> objectTypes;
    bool whole() const { return coordinates.size() == kAreaKeys.size() && objectTypes.size() == kObjectTypes.size(); }
};

AreaLoad LoadArea(const SectionValues& area, const SectionValues& exclusion) {
    AreaLoad load;
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
    return load;
}

// The section of area `index` (from 0): "area" for the first, "area2" for the second, ...
std::string SectionOfArea(const char* first, size_t index) {
    return index == 0 ? first : first + std::to_string(index + 1);
}

// A section's values by line position, as the profile functions give them: a section that is
// missing or empty, or has a line without "=", cannot be read.
SectionValues ValuesOf(const IniDocument& file, const SectionIndex& index, const std::string& name) {
    SectionValues values;
    const std::optional<std::vector<std::string>> entries = SectionEntries(file, index, name);
    std::vector<std::string> keys;
    if (!entries || entries->empty() || !SplitKeyValues(*entries, keys, values.value)) {
        values.error = std::make_error_code(std::errc::io_error);
    }
    return values;
}

// Whether the section is that of an area beyond the first `count`: "area" or "exclusion" and a
// number above it, written as the program writes it.
bool IsSectionOfAreaBeyond(const std::string& name, size_t count) {
    for (const std::string first : {kAreaSection, kExclusionSection}) {
        if (name.size() <= first.size() || !SameSectionName(name.substr(0, first.size()), first)) continue;
        const std::string number = name.substr(first.size());
        if (number[0] == '0' || number.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string limit = std::to_string(count);
        return number.size() > limit.size() || (number.size() == limit.size() && number > limit);
    }
    return false;
}

}  // namespace

ProjectLoad LoadProject(const SectionValues& area, const SectionValues& exclusion, const SectionValues& other) {
    ProjectLoad load;
    AreaLoad first = LoadArea(area, exclusion);
    load.coordinates = std::move(first.coordinates);
    load.objectTypes = std::move(first.objectTypes);
    if (load.objectTypes.size() < kObjectTypes.size() || other.error || other.value.empty()) return load;
    const Result<CheckState> deleteSource = ParseCheckState(other.value.front());
    if (!deleteSource.error) load.deleteSource = deleteSource.value;
    return load;
}

ProjectLoad LoadProjectText(const std::string& text) {
    const IniDocument file = ReadIniText(text);
    const SectionIndex sections = IndexSections(file);
    ProjectLoad load = LoadProject(ValuesOf(file, sections, kAreaSection), ValuesOf(file, sections, kExclusionSection),
                                   ValuesOf(file, sections, kOtherSection));
    for (size_t index = 1; load.deleteSource && SectionEntries(file, sections, SectionOfArea(kAreaSection, index));
         ++index) {
        const AreaLoad later = LoadArea(ValuesOf(file, sections, SectionOfArea(kAreaSection, index)),
                                        ValuesOf(file, sections, SectionOfArea(kExclusionSection, index)));
        if (!later.whole()) break;
        ExclusionArea area;
        area.latitudeMaximum = later.coordinates[0];
        area.longitudeMinimum = later.coordinates[1];
        area.latitudeMinimum = later.coordinates[2];
        area.longitudeMaximum = later.coordinates[3];
        std::copy(later.objectTypes.begin(), later.objectTypes.end(), area.objectTypes.begin());
        load.laterAreas.push_back(area);
    }
    // A section of an area beyond those loaded, whatever ended the loading, goes with a save over the file.
    const size_t loaded = 1 + load.laterAreas.size();
    const auto beyond = [loaded](const IniSection& section) { return IsSectionOfAreaBeyond(section.name, loaded); };
    if (!load.coordinates.empty() && std::any_of(file.begin(), file.end(), beyond)) load.unloadedArea = loaded + 1;
    return load;
}

ExclusionDocument OpenedDocument(const ExclusionDocument& current, const ProjectLoad& load) {
    // A file that loads nothing is no project: the areas stay.
    if (load.coordinates.empty()) return current;
    ExclusionDocument document;
    ExclusionArea first = SelectedArea(current);
    std::string* coordinates[] = {&first.latitudeMaximum, &first.longitudeMinimum, &first.latitudeMinimum,
                                  &first.longitudeMaximum};
    for (size_t i = 0; i < load.coordinates.size(); ++i) *coordinates[i] = load.coordinates[i];
    std::copy(load.objectTypes.begin(), load.objectTypes.end(), first.objectTypes.begin());
    document.areas = {first};
    document.areas.insert(document.areas.end(), load.laterAreas.begin(), load.laterAreas.end());
    document.deleteSource = load.deleteSource.value_or(current.deleteSource);
    return document;
}

std::string ProjectText(const std::string& existing, const ExclusionDocument& document) {
    IniDocument file = ReadIniText(existing);
    SectionIndex sections = IndexSections(file);
    for (size_t index = 0; index < document.areas.size(); ++index) {
        const ExclusionArea& area = document.areas[index];
        const std::string* texts[] = {&area.latitudeMaximum, &area.longitudeMinimum, &area.latitudeMinimum,
                                      &area.longitudeMaximum};
        std::vector<std::string> entries;
        for (size_t i = 0; i < kAreaKeys.size(); ++i) entries.push_back(std::string(kAreaKeys[i]) + "=" + *texts[i]);
        WriteSection(file, sections, SectionOfArea(kAreaSection, index), entries);
        entries = ExclusionKeys();
        for (size_t i = 0; i < entries.size(); ++i) entries[i] += "=" + CheckStateText(area.objectTypes[i]);
        WriteSection(file, sections, SectionOfArea(kExclusionSection, index), entries);
        if (index == 0)
            WriteSection(file, sections, kOtherSection,
                         {std::string(kDeleteSourceKey) + "=" + CheckStateText(document.deleteSource)});
    }
    RemoveSections(file, sections,
                   [&](const std::string& name) { return IsSectionOfAreaBeyond(name, document.areas.size()); });
    return IniText(file);
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
