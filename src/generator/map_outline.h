#pragma once

#include <vector>

#include "model/area_shape.h"

// A point of an area's outline on a map, in degrees.
struct MapPoint {
    double longitude = 0, latitude = 0;
};

// The area's outline as a closed ring, from the northwest corner south, east, north and back west
// to it: counter-clockwise for corners in the right order, as outer rings go. The east side lies
// as far east of the west side as the area reaches eastward, so corners typed east-west the wrong
// way round draw as the compiler reads them, reaching eastward across the 180th meridian: that
// east side lies beyond 180 (190 for a typed -170). The north and south sides have a point at
// least every 90 degrees, so that a globe, which joins two points the short way, draws them the
// way they go.
std::vector<MapPoint> MapOutline(const AreaShape& shape);

// A longitude of such an outline as maps that keep to -180 to 180 write it.
double WrappedLongitude(double longitude);
