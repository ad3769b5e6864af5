#include "generator/map_outline.h"

#include <cmath>

std::vector<MapPoint> MapOutline(const AreaShape& shape) {
    const double west = shape.northwestLongitude, north = shape.northwestLatitude, south = shape.southeastLatitude;
    const double width = shape.southeastLongitude - west + (shape.northwestEastOfSoutheast ? 360 : 0);
    const int steps = width > 90 ? static_cast<int>(std::ceil(width / 90)) : 1;
    std::vector<MapPoint> ring = {{west, north}};
    for (int step = 0; step <= steps; ++step) ring.push_back({west + width * step / steps, south});
    for (int step = steps; step >= 0; --step) ring.push_back({west + width * step / steps, north});
    return ring;
}

double WrappedLongitude(double longitude) {
    return longitude > 180 ? longitude - 360 : longitude;
}
