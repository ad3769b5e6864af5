#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "generator/exclusion_area.h"

// The project file (*.exc): an INI file with the sections "area" (the four coordinate texts),
// "exclusion" (the eight object-type states, keys from kObjectTypes) and "other" (the
// delete-source state). Loading goes by line position within a section, not by key.

extern const char* const kAreaSection;
extern const char* const kExclusionSection;
extern const char* const kOtherSection;
extern const char* const kDeleteSourceKey;

// latitudemaximum, longitudeminimum, latitudeminimum, longitudemaximum: the order of the lines.
extern const std::array<const char*, 4> kAreaKeys;

std::vector<std::string> ExclusionKeys();

// A check-box state as the file stores it: "0", "1" or "2".
std::string CheckStateText(CheckState state);

// The state a stored text gives a check box: a whole number, blanks around it allowed, that
// a check box takes (0, 1 or 2); nullopt for anything else.
std::optional<CheckState> ParseCheckState(const std::string& text);
