#pragma once

#include <optional>
#include <string>

#include "model/exclusion_area.h"

// Reads one coordinate text, typed or captured, into degrees (south and west negative), for
// showing the area; the text itself still goes into the source and the project as it is.
// It reads decimal degrees ("47.4315", "-122.25"), degrees and decimal minutes ("47 25.89") and
// degrees, minutes and seconds ("47 25 53.4"), with blanks and/or the signs ° ' " after the
// parts; the decimal separator a point or a comma, in the last part only; a hemisphere letter
// (N or S for a latitude, E or W for a longitude, either case) before or after the number in
// place of a sign; blanks around it all. Nothing for any other text, for minutes or seconds of 60
// or more, and beyond 90 degrees of latitude or 180 of longitude.
std::optional<double> ReadCoordinate(const std::string& text, Coordinate coordinate);

// A latitude and a longitude together, as maps copy them: the two texts as they stand in it.
struct CoordinatePair {
    std::string latitude;
    std::string longitude;
};

// Reads a pasted text as a latitude and then a longitude, each in a form ReadCoordinate takes,
// with blanks, a comma, or both between them: "47.46500, -122.31700", "47.5,-122.3",
// "47\xB027'54.0\"N 122\xB019'01.2\"W". Both halves must be in the same form. The halves come
// back trimmed, not converted. Nothing for a text that reads as one coordinate, and for one that
// can be cut into two in more than one way.
std::optional<CoordinatePair> ReadCoordinatePair(const std::string& text);
