#include "model/coordinate_reader.h"

#include <gtest/gtest.h>

namespace {

const Coordinate kLat = Coordinate::Latitude, kLon = Coordinate::Longitude;

TEST(CoordinateReader, ReadsEachFormIntoDegrees) {
    struct Row {
        const char* text;
        Coordinate coordinate;
        double degrees;
    };
    const Row rows[] = {
        {"47.4315", kLat, 47.4315},
        {"47,4315", kLat, 47.4315},
        {"47 25.89", kLat, 47.4315},
        {"47 25 53.4", kLat, 47.4315},
        {"47\26025'53.4\"", kLat, 47.4315},
        {"N47 25 53.4", kLat, 47.4315},
        {"47\26025'53.4\"N", kLat, 47.4315},
        {"s47 25,89", kLat, -47.4315},
        {"W122.25", kLon, -122.25},
        {"E008 32 57.00", kLon, 8.549166666667},
        {" \t-33.9  ", kLat, -33.9},
        {"90", kLat, 90},
        {"-180", kLon, -180},
    };
    for (const Row& row : rows) {
        const std::optional<double> degrees = ReadCoordinate(row.text, row.coordinate);
        ASSERT_TRUE(degrees) << row.text;
        EXPECT_NEAR(*degrees, row.degrees, 1e-9) << row.text;
    }
}

TEST(CoordinateReader, RefusesEverythingElse) {
    const std::pair<const char*, Coordinate> rows[] = {
        {"", kLat},         {"  \t ", kLon},   {"47.43x", kLat},      {"1e5", kLon},     {"E47", kLat},
        {"N122", kLon},     {"-N47", kLat},    {"-47N", kLat},        {"N47S", kLat},    {"47 60", kLat},
        {"47 59 60", kLat}, {"90.0001", kLat}, {"180 0 1", kLon},     {"47.5 30", kLat}, {"47'25", kLat},
        {"47.", kLat},      {"- 47", kLat},    {"47 25 53 10", kLat},
    };
    for (const auto& [text, coordinate] : rows) EXPECT_FALSE(ReadCoordinate(text, coordinate)) << text;
}

}  // namespace
