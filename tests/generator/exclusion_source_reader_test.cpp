#include "generator/exclusion_source_reader.h"

#include <gtest/gtest.h>

#include "generator/area_text.h"

namespace {

XmlNode Start(const char* name, std::vector<XmlAttribute> attributes = {}) {
    return {false, name, std::move(attributes)};
}
const XmlNode kEnd{true, "", {}};

// A rectangle's start with its four corners, in the order of the window's boxes, and more.
XmlNode Rectangle(const char* nwLat, const char* nwLon, const char* seLat, const char* seLon,
                  std::vector<XmlAttribute> more = {}) {
    std::vector<XmlAttribute> attributes = {{"latitudeMaximum", nwLat},
                                            {"longitudeMinimum", nwLon},
                                            {"latitudeMinimum", seLat},
                                            {"longitudeMaximum", seLon}};
    attributes.insert(attributes.end(), more.begin(), more.end());
    return Start("ExclusionRectangle", attributes);
}

TEST(ExclusionSourceReader, TurnsTheRectanglesOfFsDataIntoAreasAndListsWhatTheyCannotCarry) {
    struct Case {
        const char* name;
        std::vector<XmlNode> nodes;
        std::vector<std::string> areas;
        std::vector<std::string> dropped;
    };
    const Case cases[] = {
        {"several rectangles, TRUE and YES in any case with blanks",
         {Start("FSData", {{"version", "9.0"}}), Rectangle("1", "2", "3", "4", {{"excludeAllObjects", " yes "}}), kEnd,
          Rectangle(" N47 ", "&", "", "\"",
                    {{"excludeBeaconObjects", "true"},
                     {"excludeEffectObjects", "\tYes"},
                     {"excludeGenericBuildingObjects", "FALSE"},
                     {"excludeLibraryObjects", "no"},
                     {"excludeWindsockObjects", "TRUE"}}),
          kEnd, kEnd},
         {"1|2|3|4|x.......", " N47 |&||\"|.xx....x"},
         {"area 2: no latitudeMinimum (the southeast latitude)"}},
        {"other elements by name and count, with what they hold; unknown attributes",
         {Start("FSData"), Start("SceneryObject"), Start("LibraryObject"), kEnd, kEnd,
          Rectangle("1", "2", "3", "4", {{"excludeExtrusionBridgeObjects", "TRUE"}, {"xmlns:a", "urn:a"}}),
          Start("Inside"), kEnd, kEnd, Start("SceneryObject"), Rectangle("5", "6", "7", "8"), kEnd, kEnd,
          Rectangle("9", "10", "11", "12", {{"excludeExtrusionBridgeObjects", "FALSE"}}), kEnd, kEnd},
         {"1|2|3|4|........", "9|10|11|12|........"},
         {"2 SceneryObject", "1 Inside", "the attribute excludeExtrusionBridgeObjects, in 2 areas",
          "the attribute xmlns:a, in 1 area"}},
        {"values neither yes nor no, missing and unreadable corners",
         {Start("FSData"), Start("ExclusionRectangle", {{"longitudeMinimum", "W122"}, {"excludeTriggerObjects", "1"}}),
          kEnd, Rectangle("1", "2", "3", "4", {{"excludeBeaconObjects", "TRUE"}}), kEnd,
          Start("ExclusionRectangle", {{"latitudeMaximum", "N47?", false},
                                       {"longitudeMinimum", "W122"},
                                       {"latitudeMinimum", "47"},
                                       {"longitudeMaximum", "-122"}}),
          kEnd, kEnd},
         {"|W122|||........", "1|2|3|4|.x......", "|W122|47|-122|........"},
         {"area 1: excludeTriggerObjects=\"1\", which is neither TRUE, YES, FALSE nor NO: the type is left clear",
          "area 1: no latitudeMaximum (the northwest latitude)", "area 1: no latitudeMinimum (the southeast latitude)",
          "area 1: no longitudeMaximum (the southeast longitude)",
          "area 3: latitudeMaximum has characters that Windows' ANSI code page lacks (the northwest latitude, left "
          "empty)"}},
        {"no rectangle directly in FSData",
         {Start("FSData"), Start("SceneryObject"), Rectangle("1", "2", "3", "4"), kEnd, kEnd, kEnd},
         {},
         {}},
        {"a root other than FSData", {Start("fsdata"), Rectangle("1", "2", "3", "4"), kEnd, kEnd}, {}, {}},
        {"ends without starts", {kEnd, kEnd}, {}, {}},
    };
    for (const Case& c : cases) {
        ExclusionSourceReader reader;
        for (const XmlNode& node : c.nodes) reader.Read(node);
        const Result<SourceAreas> read = reader.Finish();
        EXPECT_EQ(read.error, c.areas.empty() ? std::error_code(Failure::NoExclusionRectangle) : std::error_code())
            << c.name;
        EXPECT_EQ(AreaTexts(read.value.areas), c.areas) << c.name;
        EXPECT_EQ(read.value.dropped, c.dropped) << c.name;
    }
}

TEST(ExclusionSourceReader, TheDroppedMessageNamesTheFileAndShowsTwentyLinesAtMost) {
    SourceAreas read;
    read.areas.resize(2);
    EXPECT_EQ(DroppedMessage("C:\\a.xml", read), "");
    read.dropped = {"2 SceneryObject", "the attribute excludeExtrusionBridgeObjects, in 1 area"};
    EXPECT_EQ(DroppedMessage("C:\\a.xml", read),
              "The XML source \"C:\\a.xml\" was opened as 2 areas. Zonewright does not keep what follows, and the "
              "next Generate will not write it:\r\n\r\n2 SceneryObject\r\nthe attribute "
              "excludeExtrusionBridgeObjects, in 1 area\r\n\r\nThe file itself is unchanged.");
    read.areas.resize(1);
    read.dropped.resize(23, "line");
    read.dropped[0] = std::string(300000, 'v');
    const std::string many = DroppedMessage("a.xml", read);
    EXPECT_NE(many.find("opened as 1 area. "), std::string::npos);
    EXPECT_NE(many.find("\r\n\r\n" + std::string(120, 'v') + "...\r\n"), std::string::npos) << "a long line cut";
    EXPECT_NE(many.find("\r\nline\r\nand 3 more\r\n\r\nThe file itself"), std::string::npos) << many;
}

}  // namespace
