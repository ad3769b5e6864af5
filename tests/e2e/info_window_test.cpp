// The information window: its texts, its hold on the main window, and every way to close it.

#include "fixture.h"
#include "info_window_texts.h"

namespace {

using InfoWindowTest = ZonewrightTest;

TEST_F(InfoWindowTest, ShowsItsTextsWhileTheMainWindowIsDisabled) {
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(e2e::PostCommand(main_, ID_help));
    HWND info = program_->WaitForInfoWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));

    for (const ControlText& label : kInfoWindowTexts) {
        EXPECT_EQ(e2e::GetText(GetDlgItem(info, label.id)), label.text) << label.id;
    }
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
