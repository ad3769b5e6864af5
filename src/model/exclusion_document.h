#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/exclusion_area.h"

// What the main window edits: an ordered list of exclusion areas, which all go into one source
// and one .bgl, with one of them selected (the one the window's boxes show), and the one setting
// for them all, whether the source is deleted after compiling. It holds at least one area.
struct ExclusionDocument {
    std::vector<ExclusionArea> areas = std::vector<ExclusionArea>(1);
    size_t selected = 0;
    CheckState deleteSource = CheckState::Ticked;
};

ExclusionArea& SelectedArea(ExclusionDocument& document);
const ExclusionArea& SelectedArea(const ExclusionDocument& document);

// Appends an area with empty coordinates and the object types of the selected one (several
// rectangles of one kind are the common case), and selects it.
void AddArea(ExclusionDocument& document);

// Removes the selected area and selects the one that took its place, or the new last one.
// Nothing while the document holds one area.
void RemoveSelectedArea(ExclusionDocument& document);

// Whether any of the four coordinate boxes holds text, so that removing the area loses work.
bool HoldsCoordinateText(const ExclusionArea& area);

// The object types in short: "all objects", the ticked single types ("buildings, library"),
// or "no types" when none is ticked.
std::string ObjectTypesInShort(const ExclusionArea& area);

// The area's line in the area list, its number counted from 1: the number, its size as the
// preview writes it or "not placed" while a text cannot be read, and its object types in short,
// the three separated by tabs.
std::string AreaListLine(const ExclusionArea& area, size_t number);
