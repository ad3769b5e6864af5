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
