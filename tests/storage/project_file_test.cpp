#include "storage/project_file.h"

#include <gtest/gtest.h>

namespace {

TEST(ProjectFile, KeysAreWrittenAsTheFormatNamesThem) {
    EXPECT_EQ(ExclusionKeys(), (std::vector<std::string>{"Exc_All", "Exc_Beacon", "Exc_Effects", "Exc_GenBuild",
                                                          "Exc_Library", "Exc_TaxiSigns", "Exc_Triggers",
                                                          "Exc_Windsocks"}));
    EXPECT_STREQ(kAreaKeys[0], "latitudemaximum");
    EXPECT_STREQ(kAreaKeys[3], "longitudemaximum");
}

TEST(ProjectFile, StatesRoundTripThroughTheirText) {
    for (CheckState state : {CheckState::Clear, CheckState::Ticked, CheckState::Grayed}) {
        EXPECT_EQ(ParseCheckState(CheckStateText(state)), state);
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
    for (const Case& c : cases) EXPECT_EQ(ParseCheckState(c.text), c.state) << '"' << c.text << '"';
}

}  // namespace
