#include "generator/map_link.h"

#include <gtest/gtest.h>

#include "generator/kml_document.h"
#include "golden_texts.h"
#include "map_documents.h"

namespace {

// Southern and western, unreadable, and eastward across the 180th meridian.
const ExclusionDocument kThreeAreas{
    {Area("S34 33", "-58.4200", "-34.56", "W58 24", Triggers), Area("47.5", "", "47.4", "-122.2", All),
     Area("-16.1", "179.9", "-16.3", "-179.8", All)},
    1};

TEST(MapLink, OneFeatureForEachAreaThatCanBeRead) {
    EXPECT_EQ(MapGeoJson(TwoAreas()), kTwoAreaGeoJson);
    EXPECT_EQ(
        MapGeoJson(kThreeAreas),
        "{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\",\"properties\":{\"area\":1,\"types\":"
        "\"triggers\"},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[-58.420000,-34.550000],[-58.420000,"
        "-34.560000],[-58.400000,-34.560000],[-58.400000,-34.550000],[-58.420000,-34.550000]]]}},{\"type\":"
        "\"Feature\",\"properties\":{\"area\":3,\"types\":\"all objects\"},\"geometry\":{\"type\":\"Polygon\","
        "\"coordinates\":[[[179.900000,-16.100000],[179.900000,-16.300000],[180.200000,-16.300000],[180.200000,"
        "-16.100000],[179.900000,-16.100000]]]}}]}");
    EXPECT_EQ(MakeMapLink(kThreeAreas, 32000).notDrawn, std::vector<size_t>{2});
    const MapLink nothing = MakeMapLink(ExclusionDocument{{Area("47.5", "x", "47.4", "-122.2", All), {}}}, 32000);
    EXPECT_TRUE(nothing.url.empty() && !nothing.tooLong);
    EXPECT_EQ(nothing.notDrawn, (std::vector<size_t>{1, 2}));
}

TEST(MapLink, EncodesAsEncodeUriComponentKeepsUnderTheLimitAndNamesTheAreasLeftOut) {
    using namespace std::string_literals;
    EXPECT_EQ(EncodeUriComponent("AZaz09-_.!~*'()"), "AZaz09-_.!~*'()");
    EXPECT_EQ(EncodeUriComponent(" \"%,:[]{}#&+/=?\xC3\xBC\x7F"s + '\0'),
              "%20%22%25%2C%3A%5B%5D%7B%7D%23%26%2B%2F%3D%3F%C3%BC%7F%00");

    const size_t length = std::string(kTwoAreaMapUrl).size();
    EXPECT_EQ(MakeMapLink(TwoAreas(), length + 1).url, kTwoAreaMapUrl);
    EXPECT_TRUE(MakeMapLink(TwoAreas(), length).tooLong);
    EXPECT_EQ(MakeMapLink(TwoAreas(), length).url, "");

    EXPECT_EQ(NotOnMapMessage({}), "");
    EXPECT_EQ(NotOnMapMessage({2, 5}).substr(0, 33), "Areas 2 and 5 are not on the map:");
    EXPECT_EQ(NotOnMapMessage({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).substr(0, 54),
              "Areas 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more are not");
}

// Google Earth joins two points the short way round the globe: an area across the 180th meridian
// keeps to -180 to 180, and one typed east-west the wrong way round reaches eastward around the
// world in sides of at most 90 degrees.
TEST(KmlDocument, OnePlacemarkForEachAreaThatCanBeRead) {
    EXPECT_EQ(KmlDocument(TwoAreas()), kTwoAreaKml);

    ExclusionDocument document = kThreeAreas;
    document.areas[0] = Area("47.465", "-122.298", "47.43", "-122.317", Library);
    const std::string kml = KmlDocument(document);
    EXPECT_EQ(kml.find("#selected"), std::string::npos) << "the selected area is not drawn";
    EXPECT_NE(kml.find(">179.900000,-16.100000 179.900000,-16.300000 -179.800000,-16.300000 -179.800000,-16.100000 "
                       "179.900000,-16.100000<"),
              std::string::npos);
    EXPECT_NE(kml.find(">-122.298000,47.465000 -122.298000,47.430000 -32.302750,47.430000 57.692500,47.430000 "
                       "147.687750,47.430000 -122.317000,47.430000 -122.317000,47.465000 147.687750,47.465000 "
                       "57.692500,47.465000 -32.302750,47.465000 -122.298000,47.465000<"),
              std::string::npos)
        << kml;
}

}  // namespace
