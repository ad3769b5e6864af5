#include "generator/exclusion_source.h"

#include <gtest/gtest.h>

#include "golden_texts.h"

namespace {

ExclusionArea CompleteArea() {
    ExclusionArea area;
    area.latitudeMaximum = "47.5";
    area.longitudeMinimum = "-122.5";
    area.latitudeMinimum = "47.25";
    area.longitudeMaximum = "-122.25";
    return area;
}

GeneratedSource Generate(const ExclusionArea& area) {
    ExclusionDocument document;
    document.areas = {area};
    return GenerateExclusionSource(document);
}

// The lines of a document, without their line ends.
std::vector<std::string> Lines(const std::string& document) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = document.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(document.substr(start, end - start));
    }
    EXPECT_EQ(start, document.size()) << "the last line has no line end";
    return lines;
}

TEST(ExclusionSource, WindsocksAloneGivesThirteenLines) {
    ExclusionArea area = CompleteArea();
    area.objectTypes[Windsocks] = CheckState::Ticked;
    const GeneratedSource source = Generate(area);
    EXPECT_TRUE(source.messages.empty());
    EXPECT_EQ(source.lines, Lines(kWindsocksDocument));
}

TEST(ExclusionSource, AllObjectsIsExclusiveWhateverTheOtherBoxesHold) {
    ExclusionArea area = CompleteArea();
    area.objectTypes.fill(CheckState::Ticked);
    area.objectTypes[Effects] = CheckState::Grayed;
    const GeneratedSource source = Generate(area);
    EXPECT_EQ(source.lines, Lines(kAllObjectsDocument));
}

TEST(ExclusionSource, SingleTypesFollowTheTableOrder) {
    ExclusionArea area = CompleteArea();
    area.objectTypes.fill(CheckState::Ticked);
    area.objectTypes[All] = CheckState::Clear;
    const GeneratedSource source = Generate(area);
    EXPECT_EQ(source.lines, Lines(kSevenTypesDocument));
}

TEST(ExclusionSource, GrayedBoxesCountAsChosenButWriteNothing) {
    ExclusionArea area = CompleteArea();
    area.objectTypes[All] = CheckState::Grayed;
    area.objectTypes[Beacon] = CheckState::Grayed;
    const GeneratedSource source = Generate(area);
    EXPECT_TRUE(source.messages.empty());
    EXPECT_EQ(source.lines, Lines(kNoTypeWrittenDocument));
}

TEST(ExclusionSource, FailedChecksGiveTheirMessagesInOrderAndNoLines) {
    struct Case {
        const char* name;
        bool dropCoordinate;
        bool chooseType;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"coordinate missing, no type", true, false, {kMissingCoordinates, kMissingObjectTypes}},
        {"coordinate missing, type chosen", true, true, {kMissingCoordinates}},
        {"coordinates present, no type", false, false, {kMissingObjectTypes}},
    };
    for (const Case& c : cases) {
        for (int box = 0; box < 4; ++box) {
            ExclusionArea area = CompleteArea();
            std::string* coordinates[] = {&area.latitudeMaximum, &area.longitudeMinimum, &area.latitudeMinimum,
                                          &area.longitudeMaximum};
            if (c.dropCoordinate) coordinates[box]->clear();
            if (c.chooseType) area.objectTypes[Triggers] = CheckState::Ticked;
            const GeneratedSource source = Generate(area);
            EXPECT_EQ(source.messages, c.messages) << c.name << ", box " << box;
            EXPECT_TRUE(source.lines.empty()) << c.name << ", box " << box;
        }
    }
}

TEST(ExclusionSource, CornersReadInTheWrongOrderGiveAWarningAfterTheDocumentAsTyped) {
    struct Case {
        const char* texts[4];  // latitude maximum, longitude minimum, latitude minimum, longitude maximum
        const char* warning;
    };
    const Case cases[] = {
        {{"47.5", "-122.5", "47.25", "-122.25"}, ""},
        {{"47.25", "-122.5", "47.5", "-122.25"}, kCornersSouthWarning},
        {{"47.5", "W122 15", "47.25", "W122 30"}, kCornersEastWarning},
        {{"47.25", "-122.25", "47.5", "-122.5"}, kCornersSouthAndEastWarning},
        {{"47.25", "-122.5", "47.5", "-122.25 W"}, ""},  // the compiler judges what cannot be read
    };
    for (const Case& c : cases) {
        ExclusionArea area;
        area.latitudeMaximum = c.texts[0];
        area.longitudeMinimum = c.texts[1];
        area.latitudeMinimum = c.texts[2];
        area.longitudeMaximum = c.texts[3];
        area.objectTypes[Windsocks] = CheckState::Ticked;
        const GeneratedSource source = Generate(area);
        EXPECT_EQ(source.warning, c.warning) << c.texts[0];
        EXPECT_EQ(source.lines.size(), 13u);
        area.objectTypes[Windsocks] = CheckState::Clear;
        EXPECT_EQ(Generate(area).warning, "") << "no document, no warning";
    }
}

TEST(ExclusionSource, CoordinateTextsAreWrittenAsTypedSaveForXmlSpecials) {
    ExclusionArea area = CompleteArea();
    area.latitudeMaximum = " ";
    area.longitudeMinimum = "N47 25' 53.4\"";
    area.latitudeMinimum = "a&b <c> \"d\" 'e'";
    area.longitudeMaximum = "  W122 18' 32\"  ";
    area.objectTypes[All] = CheckState::Ticked;
    const GeneratedSource source = Generate(area);
    ASSERT_EQ(source.lines.size(), 12u);
    EXPECT_EQ(source.lines[6], "        latitudeMinimum = \"a&amp;b &lt;c&gt; &quot;d&quot; 'e'\"");
    EXPECT_EQ(source.lines[7], "        latitudeMaximum = \" \"");
    EXPECT_EQ(source.lines[8], "        longitudeMinimum = \"N47 25' 53.4&quot;\"");
    EXPECT_EQ(source.lines[9], "        longitudeMaximum = \"  W122 18' 32&quot;  \"");
}

TEST(ExclusionSource, EscapingLeavesEverythingElseAlone) {
    EXPECT_EQ(EscapeXmlAttribute(""), "");
    EXPECT_EQ(EscapeXmlAttribute("&amp;"), "&amp;amp;");
    EXPECT_EQ(EscapeXmlAttribute("\xE9t\xE9 \t;/=' 1\xB0"), "\xE9t\xE9 \t;/=' 1\xB0");
}

TEST(ExclusionSource, SeveralAreasGoIntoOneDocumentAndAreNamedWhereTheyFail) {
    ExclusionDocument document;
    document.areas = {CompleteArea(), CompleteArea(), CompleteArea()};
    document.areas[0].objectTypes[Windsocks] = CheckState::Ticked;
    document.areas[1].latitudeMaximum = "47.25";  // south of the southeast point
    document.areas[1].latitudeMinimum = "47.5";
    document.areas[1].objectTypes[All] = CheckState::Ticked;
    document.areas[2].longitudeMinimum = "-122.25";  // east of it
    document.areas[2].longitudeMaximum = "-122.5";
    document.areas[2].objectTypes[Beacon] = CheckState::Ticked;
    GeneratedSource source = GenerateExclusionSource(document);
    EXPECT_TRUE(source.messages.empty());
    EXPECT_EQ(source.lines, Lines(kThreeAreasDocument));
    EXPECT_EQ(source.warning, kThreeAreasWarning);

    document.areas[1].longitudeMaximum.clear();
    document.areas[1].objectTypes[All] = CheckState::Clear;
    document.areas[2].objectTypes[Beacon] = CheckState::Clear;
    source = GenerateExclusionSource(document);
    EXPECT_EQ(source.messages, (std::vector<std::string>{"Area 2: " + std::string(kMissingCoordinates),
                                                         "Area 2: " + std::string(kMissingObjectTypes)}));
    EXPECT_EQ(source.failedArea, 1u);
    EXPECT_TRUE(source.lines.empty());
}

TEST(ExclusionSource, SameInputGivesTheSameDocument) {
    ExclusionArea area = CompleteArea();
    area.objectTypes[Library] = CheckState::Ticked;
    EXPECT_EQ(Generate(area).lines, Generate(area).lines);
}

}  // namespace
