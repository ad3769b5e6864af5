#include "model/area_map.h"

#include <algorithm>
#include <cmath>

#include "model/area_shape.h"

namespace {

const double kPi = 3.14159265358979323846;

// An area in degrees: west and east as typed (east beyond west, by up to 360), north and south
// where the two latitudes lie.
struct Extent {
    size_t index;
    AreaShape shape;
    double west, east, north, south;
};

}  // namespace

std::vector<MappedArea> MapAreas(const ExclusionDocument& document, double width, double height) {
    std::vector<Extent> extents;
    for (size_t i = 0; i < document.areas.size(); ++i) {
        const std::optional<AreaShape> shape = ReadAreaShape(document.areas[i]);
        if (!shape) continue;
        const double north = std::max(shape->northwestLatitude, shape->southeastLatitude);
        const double south = std::min(shape->northwestLatitude, shape->southeastLatitude);
        extents.push_back(
            {i, *shape, shape->northwestLongitude, shape->northwestLongitude + shape->eastwardDegrees, north, south});
    }
    if (extents.empty()) return {};
    // Longitudes are measured from the selected area (or the first drawn), each area taken the
    // shorter way round the world from it: areas either side of the 180th meridian stand together.
    double reference = extents.front().west;
    for (const Extent& extent : extents) {
        if (extent.index == document.selected) reference = extent.west;
    }
    double west = 1e9, east = -1e9, north = -1e9, south = 1e9;
    for (Extent& extent : extents) {
        const double turns = std::floor((extent.west - reference + 180) / 360);
        extent.west -= 360 * turns;
        extent.east -= 360 * turns;
        west = std::min(west, extent.west);
        east = std::max(east, extent.east);
        north = std::max(north, extent.north);
        south = std::min(south, extent.south);
    }
    // East-west degrees shrink with the cosine of the latitude, taken in the middle of them all.
    const double across = std::cos((north + south) / 2 * kPi / 180);
    const double wide = (east - west) * across, high = north - south;
    double scale = 0;
    if (wide > 0 || high > 0) {
        scale = 0.86 * std::min(wide > 0 ? width / wide : 1e300, high > 0 ? height / high : 1e300);
    }
    const double left = (width - wide * scale) / 2, top = (height - high * scale) / 2;
    auto x = [&](double longitude) { return left + (longitude - west) * across * scale; };
    auto y = [&](double latitude) { return top + (north - latitude) * scale; };
    std::vector<MappedArea> mapped;
    for (const Extent& extent : extents) {
        MappedArea area;
        area.index = extent.index;
        area.left = x(extent.west);
        area.right = x(extent.east);
        area.top = y(extent.north);
        area.bottom = y(extent.south);
        area.northwest = {area.left, y(extent.shape.northwestLatitude)};
        area.southeast = {area.right, y(extent.shape.southeastLatitude)};
        mapped.push_back(area);
    }
    return mapped;
}

std::optional<size_t> AreaAt(const std::vector<MappedArea>& areas, MappedPoint point) {
    std::optional<size_t> found;
    double smallest = 0;
    for (const MappedArea& area : areas) {
        if (point.x < area.left || point.x > area.right || point.y < area.top || point.y > area.bottom) continue;
        const double extent = (area.right - area.left) * (area.bottom - area.top);
        if (!found || extent < smallest) {
            found = area.index;
            smallest = extent;
        }
    }
    return found;
}
