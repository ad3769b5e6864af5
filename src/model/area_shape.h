#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/exclusion_area.h"

// The exclusion area as its four coordinate texts place it on the globe, for showing; the
// texts themselves stay as typed.
struct AreaShape {
    // Degrees, south and west negative.
    double northwestLatitude = 0, northwestLongitude = 0, southeastLatitude = 0, southeastLongitude = 0;
    // East-west as typed, the area the compiler receives: from the northwest longitude eastward
    // to the southeast one, across the 180th meridian when the northwest point lies east of the
    // southeast one (0 to 360 degrees).
    double eastwardDegrees = 0;
    // The sides on a sphere of 6,371 km: north-south by the latitudes, whichever way round they
    // are, east-west by the eastward degrees at the middle latitude.
    double eastWestMetres = 0, northSouthMetres = 0;
    // The corners in the wrong order.
    bool northwestSouthOfSoutheast = false, northwestEastOfSoutheast = false;
};

// Nothing unless all four texts are read (ReadCoordinate).
std::optional<AreaShape> ReadAreaShape(const ExclusionArea& area);

// The sides in words, east-west first: in metres while the longer one is under 1 km
// ("850 × 620 m"), else in kilometres with one decimal ("1.9 × 3.4 km"). The sign × is that of
// the ANSI code page (Windows-1252).
std::string SizeText(const AreaShape& shape);

// One line for each way the corners are in the wrong order ("NW south of SE", "NW east of SE").
std::vector<std::string> WrongOrderTexts(const AreaShape& shape);
