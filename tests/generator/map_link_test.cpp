#include "generator/map_link.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "generator/kml_document.h"
#include "golden_texts.h"

namespace {

ExclusionArea Area(const char* latitudeMaximum, const char* longitudeMinimum, const char* latitudeMinimum,
                   const char* longitudeMaximum, std::initializer_list<ObjectType> ticked) {
    ExclusionArea area{latitudeMaximum, longitudeMinimum, latitudeMinimum, longitudeMaximum, {}};
    for (ObjectType type : ticked) area.objectTypes[type] = CheckState::Ticked;
    return area;
}

ExclusionDocument Document(std::vector<ExclusionArea> areas, size_t selected = 0) {
    ExclusionDocument document;
    document.areas = std::move(areas);
    document.selected = selected;
    return document;
}

// The sample document of the golden texts.
ExclusionDocument TwoAreas() {
    return Document({Area("47.4650", "-122.3170", "47.4300", "-122.2980", {GenBuild, Library}),
                     Area("N47 26 24", "W122 18 36", "47 26.1", "122 18.3W", {Windsocks})},
                    1);
}

std::string Feature(int number, const char* types, const char* ring) {
    return "{\"type\":\"Feature\",\"properties\":{\"area\":" + std::to_string(number) + ",\"types\":\"" + types +
           "\"},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[" + ring + "]]}}";
}

std::string Collection(const std::string& features) {
    return "{\"type\":\"FeatureCollection\",\"features\":[" + features + "]}";
}

TEST(MapLink, OneFeatureForEachAreaThatCanBeRead) {
    const char* const seattle =
        "[-122.317000,47.465000],[-122.317000,47.430000],[-122.298000,47.430000],[-122.298000,47.465000],"
        "[-122.317000,47.465000]";
    struct Case {
        const char* what;
        ExclusionDocument document;
        std::string geoJson;
        std::vector<size_t> notDrawn;
    };
    const Case cases[] = {
        {"the sample", TwoAreas(), kTwoAreaGeoJson, {}},
        {"three, the second unreadable",
         Document({Area("47.4650", "-122.3170", "47.4300", "-122.2980", {All}),
                   Area("47.5", "", "47.4", "-122.2", {All}),
                   Area("N47 27 54", "W122 19 1.2", "47 25.8", "122 17.88W", {Beacon, Effects, TaxiSigns})}),
         Collection(Feature(1, "all objects", seattle) + "," + Feature(3, "beacons, effects, taxiway signs", seattle)),
         {2}},
        {"south and west",
         Document({Area("S34 33", "-58.4200", "-34.56", "W58 24", {Triggers})}),
         Collection(Feature(1, "triggers",
                            "[-58.420000,-34.550000],[-58.420000,-34.560000],[-58.400000,-34.560000],"
                            "[-58.400000,-34.550000],[-58.420000,-34.550000]")),
         {}},
        {"eastward across the 180th meridian",
         Document({Area("-16.1", "179.9", "-16.3", "-179.8", {})}),
         Collection(Feature(1, "no types",
                            "[179.900000,-16.100000],[179.900000,-16.300000],[180.200000,-16.300000],"
                            "[180.200000,-16.100000],[179.900000,-16.100000]")),
         {}},
        {"nothing readable",
         Document({Area("47.5", "x", "47.4", "-122.2", {}), Area("", "", "", "", {})}),
         Collection(""),
         {1, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapGeoJson(c.document), c.geoJson) << c.what;
        const MapLink link = MakeMapLink(c.document, 32000);
        EXPECT_EQ(link.notDrawn, c.notDrawn) << c.what;
        EXPECT_FALSE(link.tooLong) << c.what;
        EXPECT_EQ(link.url.empty(), c.notDrawn.size() == c.document.areas.size()) << c.what;
    }
    EXPECT_EQ(MakeMapLink(TwoAreas(), 32000).url, kTwoAreaMapUrl);
}

TEST(MapLink, EncodesAsEncodeUriComponentAndKeepsUnderTheLimit) {
    using namespace std::string_literals;
    EXPECT_EQ(EncodeUriComponent("AZaz09-_.!~*'()"), "AZaz09-_.!~*'()");
    EXPECT_EQ(EncodeUriComponent(" \"%,:[]{}#&+/=?"), "%20%22%25%2C%3A%5B%5D%7B%7D%23%26%2B%2F%3D%3F");
    EXPECT_EQ(EncodeUriComponent("\xC3\xBC\x7F"s + '\0'), "%C3%BC%7F%00");

    const size_t length = std::string(kTwoAreaMapUrl).size();
    EXPECT_EQ(MakeMapLink(TwoAreas(), length + 1).url, kTwoAreaMapUrl);
    const MapLink atTheLimit = MakeMapLink(TwoAreas(), length);
    EXPECT_TRUE(atTheLimit.tooLong);
    EXPECT_EQ(atTheLimit.url, "");
    ExclusionDocument many = TwoAreas();
    many.areas.resize(100, many.areas[0]);
    EXPECT_TRUE(MakeMapLink(many, 32000).tooLong) << "100 areas take some 39,000 characters";
}

TEST(MapLink, NamesTheAreasLeftOut) {
    EXPECT_EQ(NotOnMapMessage({}), "");
    EXPECT_EQ(NotOnMapMessage({3}),
              "Area 3 is not on the map: Zonewright cannot read all four of its corners. The map shows the others.");
    EXPECT_EQ(NotOnMapMessage({2, 5}),
              "Areas 2 and 5 are not on the map: Zonewright cannot read all four of their "
              "corners. The map shows the others.");
    EXPECT_EQ(NotOnMapMessage({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
                  .rfind("Areas 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 "
                         "more are not on the map: ",
                         0),
              0u);
    EXPECT_EQ(kNothingOnMapMessage, std::string(kNothingOnMap));
    EXPECT_EQ(kMapTooLongMessage, std::string(kMapTooLong));
}

// The KML file for Google Earth, which joins two points the short way round the globe: an area
// across the 180th meridian keeps to -180 to 180, and one typed east-west the wrong way round
// reaches eastward around the world in sides of at most 90 degrees.
TEST(KmlDocument, OnePlacemarkForEachAreaThatCanBeRead) {
    EXPECT_EQ(KmlDocument(TwoAreas()), kTwoAreaKml);

    const std::string kml =
        KmlDocument(Document({Area("-16.1", "179.9", "-16.3", "-179.8", {}), Area("47.5", "", "47.4", "-122.2", {}),
                              Area("47.465", "-122.298", "47.43", "-122.317", {Library})},
                             1));
    EXPECT_NE(kml.find("<name>Area 1</name>\r\n      <description>no types</description>\r\n      "
                       "<styleUrl>#area</styleUrl>"),
              std::string::npos);
    EXPECT_NE(kml.find("<coordinates>179.900000,-16.100000 179.900000,-16.300000 -179.800000,-16.300000 "
                       "-179.800000,-16.100000 179.900000,-16.100000</coordinates>"),
              std::string::npos);
    EXPECT_EQ(kml.find("Area 2"), std::string::npos);
    EXPECT_EQ(kml.find("#selected"), std::string::npos) << "the selected area is not drawn";
    EXPECT_NE(kml.find("<coordinates>-122.298000,47.465000 -122.298000,47.430000 -32.302750,47.430000 "
                       "57.692500,47.430000 147.687750,47.430000 -122.317000,47.430000 -122.317000,47.465000 "
                       "147.687750,47.465000 57.692500,47.465000 -32.302750,47.465000 -122.298000,47.465000"
                       "</coordinates>"),
              std::string::npos)
        << kml;
}

}  // namespace
