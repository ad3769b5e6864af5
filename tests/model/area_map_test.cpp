#include "model/area_map.h"

#include <gtest/gtest.h>

namespace {

ExclusionArea Area(const char* north, const char* west, const char* south, const char* east) {
    ExclusionArea area;
    area.latitudeMaximum = north;
    area.longitudeMinimum = west;
    area.latitudeMinimum = south;
    area.longitudeMaximum = east;
    return area;
}

// Picture of 100 pixels; at the equator a degree east is as long as a degree north.
TEST(AreaMap, PlacesEveryReadAreaAtOneScale) {
    ExclusionDocument document;
    document.areas = {Area("1", "10", "0", "11"), Area("x", "10", "0", "11"), Area("1", "12", "-1", "14")};
    document.selected = 2;
    std::vector<MappedArea> mapped = MapAreas(document, 100, 100);
    ASSERT_EQ(mapped.size(), 2u) << "the unreadable one is left out";
    // Together 4 degrees wide and 2 high: 86 pixels wide, 43 high, centred.
    EXPECT_EQ(mapped[0].index, 0u);
    EXPECT_NEAR(mapped[0].left, 7, 1e-9);
    EXPECT_NEAR(mapped[0].right, 28.5, 1e-9);
    EXPECT_NEAR(mapped[0].top, 28.5, 1e-9);
    EXPECT_NEAR(mapped[0].bottom, 50, 1e-9);
    EXPECT_NEAR(mapped[1].right, 93, 1e-9);
    EXPECT_NEAR(mapped[1].bottom, 71.5, 1e-9);
    // In a picture of less height than width, the height sets the scale.
    mapped = MapAreas(document, 100, 40);
    EXPECT_NEAR(mapped[0].left, 15.6, 1e-9);
    EXPECT_NEAR(mapped[1].bottom, 37.2, 1e-9);

    // Across the 180th meridian as typed, beside an area on the other side of it.
    document.areas = {Area("1", "179", "0", "-179"), Area("1", "-179", "0", "-178")};
    document.selected = 0;
    mapped = MapAreas(document, 100, 100);
    ASSERT_EQ(mapped.size(), 2u);
    EXPECT_NEAR(mapped[0].right - mapped[0].left, 2 * (mapped[1].right - mapped[1].left), 1e-6);
    EXPECT_NEAR(mapped[1].left, mapped[0].right, 1e-6) << "the two meet at 179 degrees west";
    EXPECT_NEAR(mapped[0].northwest.x, mapped[0].left, 1e-9) << "the northwest point at the west side as typed";

    // Latitudes the wrong way round: the northwest point lies at the bottom.
    document.areas = {Area("0", "10", "1", "11")};
    mapped = MapAreas(document, 100, 100);
    EXPECT_NEAR(mapped[0].northwest.y, mapped[0].bottom, 1e-9);
    EXPECT_NEAR(mapped[0].southeast.y, mapped[0].top, 1e-9);
}

TEST(AreaMap, APointFindsTheSmallestAreaHoldingIt) {
    ExclusionDocument document;
    document.areas = {Area("2", "10", "0", "12"), Area("1.5", "10.5", "0.5", "11"), Area("2", "13", "0", "14")};
    const std::vector<MappedArea> mapped = MapAreas(document, 100, 100);
    const MappedArea& inner = mapped[1];
    EXPECT_EQ(AreaAt(mapped, {(inner.left + inner.right) / 2, (inner.top + inner.bottom) / 2}), 1u);
    EXPECT_EQ(AreaAt(mapped, {mapped[0].left + 1, mapped[0].top + 1}), 0u);
    EXPECT_EQ(AreaAt(mapped, {mapped[2].right - 1, mapped[2].bottom - 1}), 2u);
    EXPECT_EQ(AreaAt(mapped, {(mapped[0].right + mapped[2].left) / 2, 50}), std::nullopt);
    EXPECT_TRUE(MapAreas(ExclusionDocument{}, 100, 100).empty());
}

}  // namespace
