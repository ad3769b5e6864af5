// Project files: any bytes as the text of a project file, loaded as the main window loads it,
// then saved over itself with what was loaded, as File > Save saves it.

#include <algorithm>
#include <optional>

#include "fuzz_input.h"
#include "storage/ini_document.h"
#include "storage/project_file.h"

namespace {

// What a check box takes: a whole number 0 to 2, blanks and tabs around it, a sign allowed.
std::optional<CheckState> ExpectedState(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    std::string number = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    const bool negative = number[0] == '-';
    if (number[0] == '+' || negative) number.erase(0, 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    number.erase(0, number.find_first_not_of('0'));  // all zeros leave it empty
    if (number.size() > 1 || (number.size() == 1 && (number[0] > '2' || negative))) return std::nullopt;
    return static_cast<CheckState>(number.empty() ? 0 : number[0] - '0');
}

// The state the program takes a text for, or none.
std::optional<CheckState> Parsed(const std::string& text) {
    const Result<CheckState> state = ParseCheckState(text);
    Require(!state.error || state.error == Failure::NotACheckState, "an unusable state is told as such");
    if (state.error) return std::nullopt;
    return state.value;
}

void CheckParse(const std::string& text) {
    const std::optional<CheckState> state = Parsed(text);
    Require(state == ExpectedState(text), "a state is a whole number 0 to 2");
    if (state) Require(Parsed(CheckStateText(*state)) == state, "a state's text gives it back");
}

bool SameAreas(const ExclusionDocument& a, const ExclusionDocument& b) {
    if (a.areas.size() != b.areas.size() || a.deleteSource != b.deleteSource) return false;
    for (size_t i = 0; i < a.areas.size(); ++i) {
        const ExclusionArea &x = a.areas[i], &y = b.areas[i];
        if (x.latitudeMaximum != y.latitudeMaximum || x.longitudeMinimum != y.longitudeMinimum ||
            x.latitudeMinimum != y.latitudeMinimum || x.longitudeMaximum != y.longitudeMaximum ||
            x.objectTypes != y.objectTypes) {
            return false;
        }
    }
    return true;
}

// Sections that are none of the document's.
std::vector<IniSection> OtherSections(const IniDocument& file) {
    std::vector<IniSection> others;
    for (const IniSection& section : file) {
        std::string name = section.name;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        const size_t digits = name.find_first_of("0123456789");
        const std::string stem = name.substr(0, digits);
        const bool numbered = digits != std::string::npos && name[digits] != '0' &&
                              name.find_first_not_of("0123456789", digits) == std::string::npos;
        const bool ours =
            name == "other" || ((stem == "area" || stem == "exclusion") && (numbered || digits == std::string::npos));
        if (!ours && !section.name.empty()) others.push_back(section);
    }
    return others;
}

bool SameEntries(const std::vector<IniSection>& a, const std::vector<IniSection>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].entries.size() != b[i].entries.size()) return false;
        for (size_t k = 0; k < a[i].entries.size(); ++k) {
            if (a[i].entries[k].key != b[i].entries[k].key || a[i].entries[k].value != b[i].entries[k].value) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const IniDocument file = ReadIniText(text);
    const std::string rendered = IniText(file);
    Require(IniText(ReadIniText(rendered)) == rendered, "a file written reads back as written");
    for (const IniSection& section : file) {
        for (const IniEntry& entry : section.entries) {
            if (entry.value) CheckParse(*entry.value);
        }
    }

    const ProjectLoad load = LoadProjectText(text);
    Require(load.coordinates.size() <= 4 && load.objectTypes.size() <= 8, "at most 4 coordinates and 8 states");
    Require(load.objectTypes.empty() || load.coordinates.size() == 4, "no states after a missing coordinate");
    Require(!load.deleteSource || load.objectTypes.size() == 8, "no delete-source state after a missing state");
    Require(load.laterAreas.empty() || load.deleteSource, "no later area after a missing first one");

    const ExclusionDocument opened = OpenedDocument(ExclusionDocument{}, load);
    const std::string saved = ProjectText(text, opened);
    // A section with an empty name has no header to write: its lines join the section before it.
    const bool headless = std::any_of(file.begin() + 1, file.end(), [](const IniSection& s) { return s.name.empty(); });
    Require(headless || ProjectText(saved, opened) == saved, "saving again changes nothing");
    Require(headless || SameEntries(OtherSections(ReadIniText(saved)), OtherSections(file)),
            "other sections stay as they were");
    const ExclusionDocument reopened = OpenedDocument(ExclusionDocument{}, LoadProjectText(saved));
    Require(headless || SameAreas(reopened, opened), "what was saved opens as it was");
    return 0;
}
