#include "model/coordinate_reader.h"

#include <gtest/gtest.h>

#include <array>

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

// What maps copy splits into its two texts as they stand; what one coordinate could be does not.
TEST(CoordinatePair, SplitsWhatMapsCopyAndNothingElse) {
    const std::array<const char*, 3> pairs[] = {
        {"47.46500, -122.31700", "47.46500", "-122.31700"},
        {" 47.5,-122.3\r\n", "47.5", "-122.3"},
        {"47\26027'54.0\"N 122\26019'01.2\"W", "47\26027'54.0\"N", "122\26019'01.2\"W"},
        {"S33 56.4\tE151 10.2", "S33 56.4", "E151 10.2"},
        {"47 25.5 122 30.2", "47 25.5", "122 30.2"},
        {"47,5 122,3", "47,5", "122,3"},
        {"47.465 N , 122.317 W", "47.465 N", "122.317 W"},
    };
    for (const auto& [pasted, latitude, longitude] : pairs) {
        const std::optional<CoordinatePair> pair = ReadCoordinatePair(pasted);
        ASSERT_TRUE(pair) << pasted;
        EXPECT_EQ(pair->latitude, latitude);
        EXPECT_EQ(pair->longitude, longitude);
    }
    for (const char* single : {"47.5", "47 25 53.4", "47\26027'54.0\"N", "47 25", "47,5", "47.5 -122.3 10", "47 122 30",
                               "47.5,,-122.3", "-122.3, 47.5", "47.5 N, 122.3 N", "Seattle 47.5 -122.3", ""}) {
        EXPECT_FALSE(ReadCoordinatePair(single)) << single;
    }
}

}  // namespace
