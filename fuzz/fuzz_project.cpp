// Project files above the profile functions: the buffers GetPrivateProfileSection fills for the
// sections "area", "exclusion" and "other", any bytes, loaded as the main window loads them.
// Input: the three buffers, cut at the byte 0x01; the entries within each end at NULs.

#include <algorithm>
#include <optional>

#include "fuzz_input.h"
#include "storage/ini_section.h"
#include "storage/project_file.h"

namespace {

using Section = std::optional<std::vector<std::string>>;

// The values of one section as the main window reads them: none when nothing was copied or an
// entry has no "=".
Section ReadSection(const std::string& buffer) {
    const std::vector<std::string> entries = SplitAtNuls(buffer.data(), buffer.size());
    std::string joined;
    for (size_t i = 0; i < entries.size(); ++i) {
        Require(!Contains(entries[i], '\0'), "entries hold no NUL");
        if (i) joined += '\0';
        joined += entries[i];
    }
    if (!buffer.empty() && buffer.back() == '\0') joined += '\0';
    Require(joined == buffer, "the entries joined by NULs give back the buffer");

    std::vector<std::string> keys{"stale"}, values{"stale"};
    const bool split = SplitKeyValues(entries, keys, values);
    Require(keys.size() == values.size() && keys.size() <= entries.size(), "as many keys as values");
    for (size_t i = 0; i < keys.size(); ++i) {
        Require(!Contains(keys[i], '=') && keys[i] + "=" + values[i] == entries[i], "split at the first '='");
    }
    if (split) {
        Require(keys.size() == entries.size(), "every entry split");
    } else {
        Require(keys.size() < entries.size() && !Contains(entries[keys.size()], '='), "stops at an entry without '='");
    }
    if (buffer.empty() || !split) return std::nullopt;
    return values;
}

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

// A section as the main window hands it to the loading: its values, or an error for none.
SectionValues Values(const Section& section) {
    SectionValues values;
    if (section) {
        values.value = *section;
    } else {
        values.error = std::make_error_code(std::errc::io_error);
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> buffers;
    size_t start = 0;
    for (int i = 0; i < 2; ++i) {
        const size_t cut = std::min(input.find('\x01', start), input.size());
        buffers.push_back(input.substr(start, cut - start));
        start = std::min(cut + 1, input.size());
    }
    buffers.push_back(input.substr(start));

    const Section area = ReadSection(buffers[0]), exclusion = ReadSection(buffers[1]), other = ReadSection(buffers[2]);
    for (const Section& section : {area, exclusion, other}) {
        if (section) {
            for (const std::string& value : *section) CheckParse(value);
        }
    }

    const ProjectLoad load = LoadProject(Values(area), Values(exclusion), Values(other));
    Require(load.coordinates.size() <= 4 && load.objectTypes.size() <= 8, "at most 4 coordinates and 8 states");
    for (size_t i = 0; i < load.coordinates.size(); ++i) {
        Require(load.coordinates[i] == (*area)[i], "the coordinates by line position");
    }
    for (size_t i = 0; i < load.objectTypes.size(); ++i) {
        const int state = static_cast<int>(load.objectTypes[i]);
        Require(state >= 0 && state <= 2 && load.objectTypes[i] == Parsed((*exclusion)[i]),
                "the states by line position");
    }
    if (load.deleteSource) {
        const int state = static_cast<int>(*load.deleteSource);
        Require(state >= 0 && state <= 2 && load.deleteSource == Parsed(other->front()), "delete-source state");
    }
    // Loading stops at the first missing or unusable value.
    const size_t usable = area ? std::min<size_t>(area->size(), 4) : 0;
    Require(load.coordinates.size() == usable, "every coordinate up to the first missing one");
    Require(load.objectTypes.empty() || usable == 4, "no states after a missing coordinate");
    const bool allStates = load.objectTypes.size() == 8;
    Require(!load.deleteSource || allStates, "no delete-source state after a missing state");
    if (allStates && other && !other->empty()) {
        Require(load.deleteSource == Parsed(other->front()), "the delete-source state is loaded");
    }
    if (usable == 4 && exclusion && !allStates) {
        const size_t n = load.objectTypes.size();
        Require(n == exclusion->size() || !Parsed((*exclusion)[n]), "states stop only where one is unusable");
    }
    return 0;
}
