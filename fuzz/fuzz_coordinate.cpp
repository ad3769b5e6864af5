// The coordinate reader and the area it makes of four texts, any bytes, and the pair reader on
// the first. Input: latitude maximum, longitude minimum, latitude minimum, longitude maximum, each
// ended by a NUL (the last by the input's end).

#include <cmath>
#include <optional>

#include "fuzz_input.h"
#include "model/area_shape.h"
#include "model/coordinate_reader.h"

namespace {

// Half the way round a sphere of 6,371 km, and a little more for the rounding, in metres.
const double kHalfRound = 3.14159265358979323846 * 6371000 * (1 + 1e-12);

// A value read lies within its range, and blanks around the text change nothing.
bool Read(const std::string& text, Coordinate coordinate) {
    const std::optional<double> degrees = ReadCoordinate(text, coordinate);
    const double limit = coordinate == Coordinate::Latitude ? 90 : 180;
    if (degrees) Require(std::isfinite(*degrees) && std::fabs(*degrees) <= limit, "degrees within range");
    Require(ReadCoordinate(" \t" + text + " ", coordinate) == degrees, "blanks around change nothing");
    return degrees.has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> texts = SplitAtNul(data, size, 4);
    texts.resize(4);
    ExclusionArea area;
    area.latitudeMaximum = texts[0];
    area.longitudeMinimum = texts[1];
    area.latitudeMinimum = texts[2];
    area.longitudeMaximum = texts[3];
    bool allRead = true;
    for (int i = 0; i < 4; ++i) {
        if (!Read(texts[i], i % 2 == 0 ? Coordinate::Latitude : Coordinate::Longitude)) allRead = false;
    }

    // A pair is two texts of the paste, each read as its coordinate, of a paste that is no one.
    if (const std::optional<CoordinatePair> pair = ReadCoordinatePair(texts[0])) {
        const size_t latitude = texts[0].find(pair->latitude);
        Require(latitude != std::string::npos &&
                    texts[0].find(pair->longitude, latitude + pair->latitude.size()) != std::string::npos,
                "the halves stand in the paste, in order");
        Require(Read(pair->latitude, Coordinate::Latitude) && Read(pair->longitude, Coordinate::Longitude),
                "each half reads");
        Require(!ReadCoordinate(texts[0], Coordinate::Latitude) && !ReadCoordinate(texts[0], Coordinate::Longitude),
                "a paste that reads as one is no pair");
    }

    const std::optional<AreaShape> shape = ReadAreaShape(area);
    Require(shape.has_value() == allRead, "an area exactly when all four texts are read");
    if (!shape) return 0;
    Require(shape->northSouthMetres >= 0 && shape->northSouthMetres <= kHalfRound, "north-south on the globe");
    Require(shape->eastWestMetres >= 0 && shape->eastWestMetres <= 2 * kHalfRound, "east-west on the globe");
    const std::string sizeText = SizeText(*shape);
    const size_t sign = sizeText.find(" \xD7 ");
    Require(sign != std::string::npos && sign > 0, "the size has two figures");
    Require(sizeText.compare(sizeText.size() - 2, 2, " m") == 0 || sizeText.compare(sizeText.size() - 3, 3, " km") == 0,
            "the size has its unit");
    return 0;
}
