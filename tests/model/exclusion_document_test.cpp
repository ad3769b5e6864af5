#include "model/exclusion_document.h"

#include <gtest/gtest.h>

namespace {

// A document of areas told apart by their northwest latitude, "1", "2", ...
ExclusionDocument Numbered(size_t count, size_t selected) {
    ExclusionDocument document;
    document.areas.resize(count);
    for (size_t i = 0; i < count; ++i) document.areas[i].latitudeMaximum = std::to_string(i + 1);
    document.selected = selected;
    return document;
}

std::string Names(const ExclusionDocument& document) {
    std::string names;
    for (const ExclusionArea& area : document.areas) names += area.latitudeMaximum.empty() ? "_" : area.latitudeMaximum;
    return names + " @" + std::to_string(document.selected);
}

TEST(ExclusionDocument, AddsAfterTheLastAndRemovesTheSelected) {
    ExclusionDocument added = Numbered(3, 0);
    added.areas[0].objectTypes[Library] = CheckState::Ticked;
    added.areas[0].objectTypes[All] = CheckState::Grayed;
    added.areas[2].objectTypes[Beacon] = CheckState::Ticked;
    AddArea(added);
    EXPECT_EQ(Names(added), "123_ @3");
    EXPECT_EQ(added.areas[3].objectTypes, added.areas[0].objectTypes) << "the selected area's types, not the last's";
    EXPECT_FALSE(HoldsCoordinateText(added.areas[3]));

    struct Case {
        size_t count, selected;
        const char* after;
    };
    const Case cases[] = {{3, 0, "23 @0"}, {3, 1, "13 @1"}, {3, 2, "12 @1"}, {1, 0, "1 @0"}};
    for (const Case& c : cases) {
        ExclusionDocument document = Numbered(c.count, c.selected);
        RemoveSelectedArea(document);
        EXPECT_EQ(Names(document), c.after) << c.count << " areas, " << c.selected << " selected";
    }
}

TEST(ExclusionDocument, ListLinesGiveTheSizeAndTheTypesInShort) {
    struct Case {
        std::array<CheckState, ObjectTypeCount> types;
        const char* inShort;
    };
    const CheckState o = CheckState::Clear, x = CheckState::Ticked, g = CheckState::Grayed;
    const Case cases[] = {
        {{x, x, o, o, o, o, o, o}, "all objects"},
        {{o, o, o, x, x, o, o, o}, "buildings, library"},
        {{o, x, x, o, o, x, x, x}, "beacons, effects, taxiway signs, triggers, windsocks"},
        {{g, o, g, o, o, o, o, x}, "windsocks"},
        {{o, o, o, o, o, o, o, o}, "no types"},
        {{g, g, o, o, o, o, o, o}, "no types"},
    };
    for (const Case& c : cases) {
        ExclusionArea area;
        area.objectTypes = c.types;
        EXPECT_EQ(ObjectTypesInShort(area), c.inShort);
    }
    ExclusionArea area;
    area.latitudeMaximum = "N47 27 54";
    area.longitudeMinimum = "W122 19 1.2";
    area.latitudeMinimum = "47.43";
    area.longitudeMaximum = "-122.298";
    area.objectTypes[All] = CheckState::Ticked;
    EXPECT_EQ(AreaListLine(area, 12), "12\t1.4 \xD7 3.9 km\tall objects");
    area.longitudeMaximum = "";
    EXPECT_TRUE(HoldsCoordinateText(area));
    EXPECT_EQ(AreaListLine(area, 1), "1\tnot placed\tall objects");
}

}  // namespace
