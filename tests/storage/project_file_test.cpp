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
