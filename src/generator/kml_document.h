#pragma once

#include <string>

#include "model/exclusion_document.h"

// The document for Google Earth, as a KML 2.2 file: one Placemark for each area whose four texts
// are read (ReadAreaShape), named "Area N" (its number, from 1), its object types in short as
// description, a Polygon of its outline (MapOutline) clamped to the ground, drawn in
// half-transparent orange, the selected area in red. The other areas are left out. UTF-8, with
// CR LF line ends; every character in it is ASCII.
std::string KmlDocument(const ExclusionDocument& document);
