// File > New and Ctrl+N empty the window and restore its initial ticks.

#include "fixture.h"

namespace {

const int kCoordinates[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum};
const int kObjectTypes[] = {IDC_Exec_All,      IDC_Exec_Beacon,    IDC_Exec_Effects,  IDC_Exec_GenBuild,
                            IDC_Exec_Library, IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks};

using NewDocumentTest = ZonewrightTest;

TEST_F(NewDocumentTest, EmptiesTheBoxesAndResetsTheTicks) {
    struct Way {
        const char* name;
        bool (*press)(HWND main);
    };
    const Way ways[] = {
        {"File > New", [](HWND main) { return e2e::PostCommand(main, ID_menuNew); }},
        {"Ctrl+N", [](HWND main) { return e2e::PressKeys(main, {VK_CONTROL, 'N'}); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(StartReady());
        ASSERT_TRUE(FillWindsocksArea());
        ASSERT_TRUE(ClickItem(IDC_Exec_Beacon));
        ASSERT_TRUE(ClickItem(IDC_Exec_All));
        ASSERT_TRUE(ClickItem(IDC_DelSRC));
        ASSERT_TRUE(ClickItem(IDC_generate));
        ASSERT_NE(e2e::GetText(Item(IDC_txtoutput)), "");
        ASSERT_EQ(e2e::GetCheck(Item(IDC_DelSRC)), BST_UNCHECKED);
        ASSERT_FALSE(IsWindowEnabled(Item(IDC_Exec_Beacon)));

        ASSERT_TRUE(way.press(main_));
        // A keystroke is not a posted message, so wait for its effect before settling.
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::GetText(Item(IDC_txtoutput)).empty(); }));
        ASSERT_TRUE(Settle());

        for (int id : kCoordinates) EXPECT_EQ(e2e::GetText(Item(id)), "") << id;
        for (int id : kObjectTypes) {
            EXPECT_EQ(e2e::GetCheck(Item(id)), BST_UNCHECKED) << id;
            EXPECT_TRUE(IsWindowEnabled(Item(id))) << id;
        }
        EXPECT_EQ(e2e::GetCheck(Item(IDC_DelSRC)), BST_CHECKED);
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
    }
}

}  // namespace
