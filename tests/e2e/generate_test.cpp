// "Generate source code": the exact document, and the checks that refuse to write one.

#include "fixture.h"

namespace {

using GenerateTest = ZonewrightTest;

TEST_F(GenerateTest, WritesTheExactDocument) {
    struct Case {
        const char* name;
        const char* coordinates[4];  // latitude maximum, longitude minimum, latitude minimum, longitude maximum
        std::vector<int> ticks;      // in click order
        const char* document;
        const char* warning;  // shown after the document, with the warning icon
    };
    const Case cases[] = {
        {"decimal, Windsocks only",
         {"47.5", "-122.5", "47.25", "-122.25"},
         {IDC_Exec_Windsocks},
         kWindsocksDocument,
         nullptr},
        {"degrees, minutes and seconds with quotes",
         {"N47 25' 53.4\"", "W122 30' 0.0\"", "N47 15' 10\"", "W122 15' 2.5\""},
         {IDC_Exec_Windsocks},
         kWindsocksSecondsDocument,
         nullptr},
        {"All objects together with others",
         {"47.5", "-122.5", "47.25", "-122.25"},
         {IDC_Exec_Beacon, IDC_Exec_Windsocks, IDC_Exec_All},
         kAllObjectsDocument,
         nullptr},
        {"six single types, in the window's order whatever the click order",
         {"-33.9", "151.1", "-34.0", "151.3"},
         {IDC_Exec_Triggers, IDC_Exec_TaxiSigns, IDC_Exec_Library, IDC_Exec_GenBuild, IDC_Exec_Effects,
          IDC_Exec_Beacon},
         kSixTypesDocument,
         nullptr},
        {"the latitudes the wrong way round: as typed, then one warning",
         {"47.25", "-122.5", "47.5", "-122.25"},
         {IDC_Exec_Windsocks},
         kSwappedLatitudesDocument,
         kCornersSouthWarning},
    };
    const int boxes[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartReady());
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(Type(boxes[i], c.coordinates[i]));
        for (int id : c.ticks) ASSERT_TRUE(ClickItem(id));
        ASSERT_TRUE(ClickItem(IDC_generate));

        const std::string output = e2e::GetText(Item(IDC_txtoutput));
        EXPECT_EQ(output, c.document);
        // The caret stands after the last line.
        const int end = static_cast<int>(output.size());
        EXPECT_EQ(e2e::GetSelection(Item(IDC_txtoutput)), std::make_pair(end, end));
        if (!c.warning) {
            EXPECT_EQ(program_->FindMessageBox(), nullptr);
            continue;
        }
        HWND box = program_->WaitForMessageBox();
        ASSERT_TRUE(box);
        std::string icon;
        EXPECT_TRUE(e2e::WaitUntil([&] { return (icon = e2e::MessageBoxIcon(box)) == "exclamation"; })) << icon;
        EXPECT_TRUE(ExpectMessages({c.warning}));
    }
}

TEST_F(GenerateTest, AFailedCheckShowsItsMessagesAndLeavesNoDocument) {
    struct Case {
        const char* name;
        int emptyBox;    // 0: all coordinates present
        bool windsocks;  // left ticked
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"latitude maximum empty, no type", IDC_latitudemaximum, false, {kMissingCoordinates, kMissingObjectTypes}},
        {"longitude minimum empty, a type", IDC_longitudeminimum, true, {kMissingCoordinates}},
        {"latitude minimum empty, no type", IDC_latitudeminimum, false, {kMissingCoordinates, kMissingObjectTypes}},
        {"longitude maximum empty, a type", IDC_longitudemaximum, true, {kMissingCoordinates}},
        {"all coordinates, no type", 0, false, {kMissingObjectTypes}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartReady());
        // A document from an earlier run must not survive a failed check.
        ASSERT_TRUE(FillWindsocksArea());
        ASSERT_TRUE(ClickItem(IDC_generate));
        ASSERT_EQ(e2e::GetText(Item(IDC_txtoutput)), kWindsocksDocument);

        if (c.emptyBox != 0) {
            ASSERT_TRUE(Type(c.emptyBox, ""));
        }
        if (!c.windsocks) {
            ASSERT_TRUE(ClickItem(IDC_Exec_Windsocks));
        }
        ASSERT_TRUE(e2e::Click(Item(IDC_generate)));
        EXPECT_TRUE(ExpectMessages(c.messages));
        EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), "");
        EXPECT_TRUE(IsWindowEnabled(main_));
    }
}

}  // namespace
