// The information window: its texts, its hold on the main window, and every way to close it.

#include "fixture.h"

namespace {

using InfoWindowTest = ZonewrightTest;

TEST_F(InfoWindowTest, ShowsItsTextsWhileTheMainWindowIsDisabled) {
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(e2e::PostCommand(main_, ID_help));
    HWND info = program_->WaitForInfoWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));

    const std::pair<int, const char*> labels[] = {
        {IDC_Info_Label1, "Zonewright Info"},
        {IDC_Info_Label2,
         "This small program should help you to create exclude files for FS2004 using the new XML based code and "
         "the new compiler."},
        {IDC_Info_Label3,
         "You may insert the coordinates by hand or using FSConnect module which imports your current location "
         "data. To import a coordinate value into any textboxes press the corresponding \"FSC\" button(s). "},
        {IDC_Info_Label4, "Zonewright supports both decimal and degrees-minutes-seconds format."},
        {IDC_Info_Label5, "Please note that you should generate code before you generate the .bgl file."},
        {IDC_Info_Label6, "Version 2.0"},
    };
    for (const auto& [id, text] : labels) EXPECT_EQ(e2e::GetText(GetDlgItem(info, id)), text) << id;
    EXPECT_EQ(e2e::GetText(GetDlgItem(info, IDOK)), "OK");
}

TEST_F(InfoWindowTest, ShortcutsOfTheMainWindowDoNothingWhileItIsOpen) {
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(Type(IDC_latitudemaximum, "47.5"));
    ASSERT_TRUE(e2e::PostCommand(main_, ID_help));
    HWND info = program_->WaitForInfoWindow();
    ASSERT_NE(info, nullptr);

    // Keystrokes are handled in order: once Enter has closed the window, Ctrl+N was handled.
    ASSERT_TRUE(e2e::PressKeys(info, {VK_CONTROL, 'N'}));
    ASSERT_TRUE(e2e::PressKeys(info, {VK_RETURN}));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(info); }));
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), "47.5");
}

TEST_F(InfoWindowTest, EveryWayOfClosingItEnablesTheMainWindowAgain) {
    ASSERT_TRUE(StartReady());
    struct Way {
        const char* name;
        bool (*close)(HWND info);
    };
    const Way ways[] = {
        {"Enter", [](HWND info) { return e2e::PressKeys(info, {VK_RETURN}); }},
        {"OK button", [](HWND info) { return e2e::Click(GetDlgItem(info, IDOK)); }},
        {"WM_CLOSE", [](HWND info) { return PostMessageA(info, WM_CLOSE, 0, 0) != FALSE; }},
        {"close box", [](HWND info) { return PostMessageA(info, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }},
    };
    // Twice round: each opening makes a new window that works like the first.
    for (int round = 1; round <= 2; ++round) {
        for (const Way& way : ways) {
            SCOPED_TRACE(::testing::Message() << way.name << ", round " << round);
            ASSERT_TRUE(e2e::PostCommand(main_, ID_help));
            HWND info = program_->WaitForInfoWindow();
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(program_->FindInfoWindows().size(), 1u);
            EXPECT_FALSE(IsWindowEnabled(main_));

            ASSERT_TRUE(way.close(info));
            ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(info); }));
            EXPECT_TRUE(IsWindowEnabled(main_));
            EXPECT_EQ(program_->FindMessageBox(), nullptr);
        }
    }
}

}  // namespace
