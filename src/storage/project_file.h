#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/exclusion_document.h"
#include "model/result.h"

// The project file (*.exc): an INI file with the sections "area" (the four coordinate texts of the
// first area), "exclusion" (its eight object-type states, keys from kObjectTypes) and "other" (the
// delete-source state), then for the second area and each after it "area2" and "exclusion2",
// "area3" and "exclusion3" and so on, with the same keys. A copy of the program that knows one
// area reads the first. Loading goes by line position within a section, not by key.

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
// a check box takes (0, 1 or 2); Failure::NotACheckState for anything else.
Result<CheckState> ParseCheckState(const std::string& text);

// What loading a project sets, in this order: the coordinate boxes (kAreaKeys order), the
// object-type boxes (kObjectTypes order), the delete-source box. Loading stops at the first
// section that could not be read, value that is missing or state that is unusable; what comes
// before it is set, nothing after it.
struct ProjectLoad {
    std::vector<std::string> coordinates;   // up to 4
    std::vector<CheckState> objectTypes;    // up to 8
    std::optional<CheckState> deleteSource;
    // The second area and those after it, up to the first that is missing or has a missing or
    // unusable value; none unless the first area and the delete-source state loaded whole.
    std::vector<ExclusionArea> laterAreas;
    // The number (from 1) of the first area not loaded while a section of it or of a later area is
    // there (a save over the file would drop them); 0 for none, and when nothing was loaded.
    size_t unloadedArea = 0;
};

// No project file is larger: a larger file is no project, and would be read whole to be loaded. A
// project of tens of thousands of areas fits.
constexpr long long kProjectFileLimit = 16 * 1024 * 1024;

// Whether the file can be loaded as a project: it opens for reading and is no larger than
// kProjectFileLimit (Failure::FileTooLarge); the system's error when it does not open.
std::error_code CheckProjectFile(const std::string& path);

// The values of each section by line position, or the error that kept the section from being read.
using SectionValues = Result<std::vector<std::string>>;
ProjectLoad LoadProject(const SectionValues& area, const SectionValues& exclusion, const SectionValues& other);

// The whole file's text loaded: the first area as above, then the later ones.
ProjectLoad LoadProjectText(const std::string& text);

// What opening leaves: the selected area of the current document with what was loaded set over
// it, as over the window's boxes, then the later areas; the first is selected. The document as it
// was when nothing was loaded.
ExclusionDocument OpenedDocument(const ExclusionDocument& current, const ProjectLoad& load);

// The text of the file saved with the document over its existing text (empty for a new file):
// the document's sections are replaced where they stand or added at the end, the sections of
// areas beyond the document's count go, and every other section stays.
std::string ProjectText(const std::string& existing, const ExclusionDocument& document);
