#include "model/area_shape.h"

#include <gtest/gtest.h>

namespace {

// One degree of latitude on a sphere of 6,371 km is 111,194.93 m.
TEST(AreaShape, MeasuresTheSidesAndTellsTheWrongOrder) {
    struct Row {
        const char* texts[4];  // latitude maximum, longitude minimum, latitude minimum, longitude maximum
        double eastWest, northSouth;
        const char* size;
        std::vector<std::string> wrongOrder;
    };
    const Row rows[] = {
        {{"0.01", "10", "-0.01", "10.01"}, 1111.95, 2223.90, "1.1 \xD7 2.2 km", {}},
        {{"N47 27 54", "W122 19 1.2", "47.43", "-122.298"}, 1428.75, 3891.82, "1.4 \xD7 3.9 km", {}},
        {{"0.001", "10", "0", "10.0005"}, 55.60, 111.19, "56 \xD7 111 m", {}},
        {{"0.0045", "10", "0", "10.00898"}, 998.53, 500.38, "999 \xD7 500 m", {}},
        {{"0.0045", "10", "0", "10.00899"}, 999.64, 500.38, "1.0 \xD7 0.5 km", {}},
        {{"-0.01", "10", "0.01", "10.01"}, 1111.95, 2223.90, "1.1 \xD7 2.2 km", {"NW south of SE"}},
        // East-west the wrong way round: as typed, eastward across the 180th meridian.
        {{"0.01", "10.01", "-0.01", "10"}, 40029061.64, 2223.90, "40029.1 \xD7 2.2 km", {"NW east of SE"}},
        {{"1", "10.01", "2", "10"}, 40015344.68, 111194.93, "40015.3 \xD7 111.2 km", {"NW south of SE", "NW east of SE"}},
        {{"1", "179", "-1", "-179"}, 222389.85, 222389.85, "222.4 \xD7 222.4 km", {"NW east of SE"}},
        {{"47.5", "-122.25", "47.25", "-122.5"}, 27089491.78, 27798.73, "27089.5 \xD7 27.8 km", {"NW east of SE"}},
    };
    for (const Row& row : rows) {
        ExclusionArea area;
        area.latitudeMaximum = row.texts[0];
        area.longitudeMinimum = row.texts[1];
        area.latitudeMinimum = row.texts[2];
        area.longitudeMaximum = row.texts[3];
        const std::optional<AreaShape> shape = ReadAreaShape(area);
        ASSERT_TRUE(shape) << row.size;
        EXPECT_NEAR(shape->eastWestMetres, row.eastWest, 0.01) << row.size;
        EXPECT_NEAR(shape->northSouthMetres, row.northSouth, 0.01) << row.size;
        EXPECT_EQ(SizeText(*shape), row.size);
        EXPECT_EQ(WrongOrderTexts(*shape), row.wrongOrder) << row.size;
        area.longitudeMaximum = "10 E 1";
        EXPECT_FALSE(ReadAreaShape(area)) << "one text unreadable";
    }
}

}  // namespace
