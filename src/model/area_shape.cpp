#include "model/area_shape.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/coordinate_reader.h"

namespace {

const double kEarthRadiusMetres = 6371000;
const double kPi = 3.14159265358979323846;

double Radians(double degrees) {
    return degrees * kPi / 180;
}

}  // namespace

std::optional<AreaShape> ReadAreaShape(const ExclusionArea& area) {
    const std::optional<double> northwestLatitude = ReadCoordinate(area.latitudeMaximum, Coordinate::Latitude);
    const std::optional<double> northwestLongitude = ReadCoordinate(area.longitudeMinimum, Coordinate::Longitude);
    const std::optional<double> southeastLatitude = ReadCoordinate(area.latitudeMinimum, Coordinate::Latitude);
    const std::optional<double> southeastLongitude = ReadCoordinate(area.longitudeMaximum, Coordinate::Longitude);
    if (!northwestLatitude || !northwestLongitude || !southeastLatitude || !southeastLongitude) return std::nullopt;
    AreaShape shape;
    shape.northwestLatitude = *northwestLatitude;
    shape.northwestLongitude = *northwestLongitude;
    shape.southeastLatitude = *southeastLatitude;
    shape.southeastLongitude = *southeastLongitude;
    const double middleLatitude = (shape.northwestLatitude + shape.southeastLatitude) / 2;
    shape.northSouthMetres = kEarthRadiusMetres * Radians(std::fabs(shape.northwestLatitude - shape.southeastLatitude));
    shape.northwestSouthOfSoutheast = shape.northwestLatitude < shape.southeastLatitude;
    shape.northwestEastOfSoutheast = shape.northwestLongitude > shape.southeastLongitude;
    shape.eastwardDegrees = shape.southeastLongitude - shape.northwestLongitude;
    if (shape.northwestEastOfSoutheast) shape.eastwardDegrees += 360;
    shape.eastWestMetres = kEarthRadiusMetres * Radians(shape.eastwardDegrees) * std::cos(Radians(middleLatitude));
    return shape;
}

std::string SizeText(const AreaShape& shape) {
    char text[80];
    // Decided on the rounded figure, so that 999.6 m reads "1.0 km", not "1000 m".
    if (std::round(std::max(shape.eastWestMetres, shape.northSouthMetres)) < 1000) {
        std::snprintf(text, sizeof text, "%.0f \xD7 %.0f m", shape.eastWestMetres, shape.northSouthMetres);
    } else {
        std::snprintf(text, sizeof text, "%.1f \xD7 %.1f km", shape.eastWestMetres / 1000,
                      shape.northSouthMetres / 1000);
    }
    return text;
}

std::vector<std::string> WrongOrderTexts(const AreaShape& shape) {
    std::vector<std::string> lines;
    if (shape.northwestSouthOfSoutheast) lines.push_back("NW south of SE");
    if (shape.northwestEastOfSoutheast) lines.push_back("NW east of SE");
    return lines;
}
