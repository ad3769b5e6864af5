#include "storage/project_file.h"

#include <gtest/gtest.h>

namespace {

// The state a text gives, or none.
std::optional<CheckState> Parsed(const std::string& text) {
    const Result<CheckState> state = ParseCheckState(text);
    if (state.error) return std::nullopt;
    return state.value;
}

TEST(ProjectFile, KeysAreWrittenAsTheFormatNamesThem) {
    EXPECT_EQ(ExclusionKeys(), (std::vector<std::string>{"Exc_All", "Exc_Beacon", "Exc_Effects", "Exc_GenBuild",
                                                          "Exc_Library", "Exc_TaxiSigns", "Exc_Triggers",
                                                          "Exc_Windsocks"}));
    EXPECT_STREQ(kAreaKeys[0], "latitudemaximum");
    EXPECT_STREQ(kAreaKeys[3], "longitudemaximum");
}

TEST(ProjectFile, StatesRoundTripThroughTheirText) {
    for (CheckState state : {CheckState::Clear, CheckState::Ticked, CheckState::Grayed}) {
        EXPECT_EQ(Parsed(CheckStateText(state)), state);
    }
    EXPECT_EQ(CheckStateText(CheckState::Grayed), "2");
}

TEST(ProjectFile, OnlyWholeNumbersACheckBoxTakesAreStates) {
    struct Case {
        const char* text;
        std::optional<CheckState> state;
    };
    const Case cases[] = {
        {"0", CheckState::Clear},   {"1", CheckState::Ticked}, {"2", CheckState::Grayed},
        {" 1 ", CheckState::Ticked}, {"+2", CheckState::Grayed}, {"-0", CheckState::Clear},
        {"002", CheckState::Grayed}, {"", std::nullopt},       {" ", std::nullopt},
        {"3", std::nullopt},        {"5", std::nullopt},       {"-1", std::nullopt},
        {"yes", std::nullopt},      {"1x", std::nullopt},      {"1 1", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"+", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.state) << '"' << c.text << '"';
    EXPECT_EQ(ParseCheckState("yes").error, Failure::NotACheckState);
}

}  // namespace

namespace {

using Lines = SectionValues;

Lines Section(std::vector<std::string> lines) {
    return {std::move(lines), {}, ""};
}
const Lines kUnreadable = {{}, std::make_error_code(std::errc::io_error), ""};

TEST(LoadProject, StopsAtTheFirstMissingOrUnusableValue) {
    const Lines area = Section({"47.5", " -122 30 ", "47.25", "-122.25", "ignored"});
    const Lines types = Section({"1", "0", "2", "0", "1", "0", "0", "1"});
    const Lines other = Section({"0"});
    struct Case {
        const char* name;
        Lines area, exclusion, other;
        size_t coordinates, objectTypes;
        bool deleteSource;
    };
    const Case cases[] = {
        {"everything", area, types, other, 4, 8, true},
        {"no area section", kUnreadable, types, other, 0, 0, false},
        {"three area lines", Section({"a", "b", "c"}), types, other, 3, 0, false},
        {"no exclusion section", area, kUnreadable, other, 4, 0, false},
        {"three exclusion lines", area, Section({"1", "1", "0"}), other, 4, 3, false},
        {"a word among the states", area, Section({"1", "0", "x", "0", "0", "0", "0", "0"}), other, 4, 2, false},
        {"a five among the states", area, Section({"0", "5", "0", "0", "0", "0", "0", "0"}), other, 4, 1, false},
        {"no other section", area, types, kUnreadable, 4, 8, false},
        {"an empty other section", area, types, Section({}), 4, 8, false},
        {"an unusable delete-source state", area, types, Section({"3"}), 4, 8, false},
    };
    for (const Case& c : cases) {
        const ProjectLoad load = LoadProject(c.area, c.exclusion, c.other);
        EXPECT_EQ(load.coordinates.size(), c.coordinates) << c.name;
        EXPECT_EQ(load.objectTypes.size(), c.objectTypes) << c.name;
        EXPECT_EQ(load.deleteSource.has_value(), c.deleteSource) << c.name;
    }
    const ProjectLoad full = LoadProject(area, types, other);
    EXPECT_EQ(full.coordinates, (std::vector<std::string>{"47.5", " -122 30 ", "47.25", "-122.25"}));
    EXPECT_EQ(full.objectTypes[0], CheckState::Ticked);
    EXPECT_EQ(full.objectTypes[2], CheckState::Grayed);
    EXPECT_EQ(full.deleteSource, CheckState::Clear);
}

}  // namespace

namespace {

ExclusionArea Area(const char* northwestLatitude, std::initializer_list<ObjectType> ticked) {
    ExclusionArea area;
    area.latitudeMaximum = northwestLatitude;
    area.longitudeMinimum = "-122.5";
    area.latitudeMinimum = "47.25";
    area.longitudeMaximum = "-122.25";
    for (ObjectType type : ticked) area.objectTypes[type] = CheckState::Ticked;
    return area;
}

std::vector<std::string> NorthwestLatitudes(const ExclusionDocument& document) {
    std::vector<std::string> latitudes;
    for (const ExclusionArea& area : document.areas) latitudes.push_back(area.latitudeMaximum);
    return latitudes;
}

TEST(ProjectText, OneAreaIsWrittenAsEverAndSeveralFollowInSectionsOfTheirOwn) {
    ExclusionDocument document;
    document.areas = {Area("47.5", {Windsocks})};
    document.deleteSource = CheckState::Clear;
    const std::string one = ProjectText("", document);
    EXPECT_EQ(one,
              "[area]\r\nlatitudemaximum=47.5\r\nlongitudeminimum=-122.5\r\nlatitudeminimum=47.25\r\n"
              "longitudemaximum=-122.25\r\n[exclusion]\r\nExc_All=0\r\nExc_Beacon=0\r\nExc_Effects=0\r\n"
              "Exc_GenBuild=0\r\nExc_Library=0\r\nExc_TaxiSigns=0\r\nExc_Triggers=0\r\nExc_Windsocks=1\r\n"
              "[other]\r\nDeleteSource=0\r\n");

    document.areas.push_back(Area("N47 30", {All, Library}));
    document.areas.push_back(Area("48", {}));
    document.areas[2].objectTypes[Effects] = CheckState::Grayed;
    document.selected = 2;
    const std::string three = ProjectText("", document);
    EXPECT_EQ(three.substr(0, one.size()), one) << "the first area as before";
    EXPECT_NE(three.find("[other]\r\nDeleteSource=0\r\n[area2]\r\nlatitudemaximum=N47 30\r\n"), std::string::npos);
    EXPECT_NE(three.find("[exclusion3]\r\nExc_All=0\r\nExc_Beacon=0\r\nExc_Effects=2\r\n"), std::string::npos);
    const ExclusionDocument opened = OpenedDocument(ExclusionDocument{}, LoadProjectText(three));
    EXPECT_EQ(NorthwestLatitudes(opened), NorthwestLatitudes(document));
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(opened.areas[i].objectTypes, document.areas[i].objectTypes) << i;
    EXPECT_EQ(opened.selected, 0u);
    EXPECT_EQ(opened.deleteSource, CheckState::Clear);
}

TEST(ProjectText, SavingFewerAreasDropsTheRestAndKeepsOtherSections) {
    ExclusionDocument five;
    five.areas = {Area("1", {}), Area("2", {}), Area("3", {}), Area("4", {}), Area("5", {})};
    const std::string saved = "[mine]\r\nnote=kept\r\n[Area10]\r\nx=1\r\n[area05]\r\nx=1\r\n" + ProjectText("", five);
    ExclusionDocument two;
    two.areas = {Area("A", {}), Area("B", {})};
    const std::string text = ProjectText(saved, two);
    EXPECT_EQ(NorthwestLatitudes(OpenedDocument(ExclusionDocument{}, LoadProjectText(text))),
              (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(text.find("[area3]"), std::string::npos);
    EXPECT_EQ(text.find("[exclusion5]"), std::string::npos);
    EXPECT_EQ(text.find("[Area10]"), std::string::npos);
    EXPECT_EQ(text.rfind("[mine]\r\nnote=kept\r\n[area05]\r\nx=1\r\n[area]\r\n", 0), 0u) << text;
}

TEST(ProjectText, LoadingEndsAtTheFirstAreaThatCannotBeUsed) {
    ExclusionDocument four;
    four.areas = {Area("1", {}), Area("2", {}), Area("3", {}), Area("4", {})};
    const std::string text = ProjectText("", four);
    const size_t state = text.find("Exc_Library=0", text.find("[exclusion3]"));
    const ExclusionDocument current = []() {
        ExclusionDocument document;
        document.areas = {Area("old", {Beacon}), Area("selected", {Triggers})};
        document.selected = 1;
        return document;
    }();
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> latitudes;
        size_t unloadedArea;  // told, for a save would drop it and the rest
    };
    const Case cases[] = {
        {"a bad state in area 3", std::string(text).replace(state, 13, "Exc_Library=x"), {"1", "2"}, 3},
        {"no area 2", std::string(text).replace(text.find("[area2]"), 7, "[mine]"), {"1"}, 2},
        {"no exclusion section", std::string(text).replace(text.find("[exclusion]"), 11, "[other2]"), {"1"}, 2},
        {"no area section, no project", std::string(text).replace(text.find("[area]"), 6, "[mine]"), {"old", "selected"},
         0},
        {"four whole areas", text, {"1", "2", "3", "4"}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NorthwestLatitudes(OpenedDocument(current, LoadProjectText(c.text))), c.latitudes) << c.name;
        EXPECT_EQ(LoadProjectText(c.text).unloadedArea, c.unloadedArea) << c.name;
    }
    const ExclusionDocument partial = OpenedDocument(current, LoadProjectText(cases[2].text));
    EXPECT_EQ(partial.areas[0].objectTypes[Triggers], CheckState::Ticked) << "the selected area's states stay";
    EXPECT_EQ(partial.deleteSource, current.deleteSource);
}

}  // namespace
