#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "main_window_fixture.h"
#include "storage/text_file.h"
#include "ui/file_dialog.h"
#include "ui/options_window.h"
#include "storage/program_folder.h"
#include "ui/resource.h"

namespace {

const char* const kOldSettings = "[Other]\r\nkeep=no\r\n[DEFAULT]\r\nBGLCOMP=C:\\old path\\bglcomp.exe\r\n";

class OptionsWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), kOldSettings));
    }

    // Opened as the Settings command does, with failure messages recorded.
    HWND OpenSettings() {
        EnableWindow(window.hwnd(), FALSE);
        return OptionsWindow::Open(window.hwnd(), WindowDpi(window.hwnd()), optionsRecorder.Sink());
    }

    HWND Item(HWND options, int id) { return GetDlgItem(options, id); }

    // Feeds a key press through the keyboard handling of the program's message loop.
    void PressKey(HWND options, WPARAM key) {
        MSG message = {GetFocus(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        if (!IsDialogMessageA(options, &message)) DispatchMessageA(&message);
    }

    std::string Settings() { return ReadWholeFile(SettingsFilePath()).value; }

    MessageRecorder optionsRecorder;
};

TEST_F(OptionsWindowTest, TheSettingsCommandOpensItOverTheDisabledMainWindow) {
    Command(ID_menuSettings);
    HWND options = FindWindowA("OptionsWindow", "Zonewright Settings");
    ASSERT_TRUE(options);
    EXPECT_FALSE(IsWindowEnabled(window.hwnd()));
    EXPECT_EQ(GetWindow(options, GW_OWNER), window.hwnd());
    EXPECT_TRUE(GetWindowLongA(options, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongA(options, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(WindowText(Item(options, IDC_Options_Text1)), "C:\\old path\\bglcomp.exe");
    SendMessageA(options, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
}

TEST_F(OptionsWindowTest, LayoutAndTabOrderFollowTheDesign) {
    HWND options = OpenSettings();
    ASSERT_TRUE(options);
    // Where each control stands at 96 DPI, in pixels: fifteen twips to the pixel, the frame's
    // controls from the frame's corner.
    struct Row {
        int id;
        const char* caption;
        RECT at96;
    };
    const Row rows[] = {
        {IDC_Options_Frame1, "Settings", {8, 8, 409, 65}},
        {IDC_Options_Label1, "BGLComp.exe location:", {16, 32, 129, 49}},
        {IDC_Options_Text1, nullptr, {136, 29, 369, 48}},
        {IDC_Options_Command1, "...", {376, 29, 401, 46}},
        {IDC_Options_Command2, "OK", {248, 72, 313, 97}},
        {IDC_Options_Command3, "Cancel", {320, 72, 409, 97}},
    };
    const bool at96 = ScreenDpi().x == 96 && ScreenDpi().y == 96;
    for (const Row& row : rows) {
        HWND control = Item(options, row.id);
        ASSERT_TRUE(control) << row.id;
        EXPECT_TRUE(!at96 || ClientRectOf(control) == row.at96) << row.id << ": " << Describe(ClientRectOf(control));
        if (row.caption) {
            EXPECT_EQ(WindowText(control), row.caption);
        }
        EXPECT_STREQ(FontOf(control).lfFaceName, "MS Sans Serif");
    }
    EXPECT_TRUE(
        LayoutHolds(options, {{IDC_Options_Frame1, {IDC_Options_Label1, IDC_Options_Text1, IDC_Options_Command1}}}));
    RECT client;
    GetClientRect(options, &client);
    EXPECT_TRUE(!at96 || client == RECT({0, 0, 419, 106})) << Describe(client);

    EXPECT_EQ(GetFocus(), Item(options, IDC_Options_Command2));
    const int order[] = {IDC_Options_Command3, IDC_Options_Text1, IDC_Options_Command1, IDC_Options_Command2};
    HWND at = GetFocus();
    for (int id : order) {
        at = GetNextDlgTabItem(options, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), id);
    }
    SendMessageA(options, WM_CLOSE, 0, 0);
}

TEST_F(OptionsWindowTest, OkWritesExactlyTheOneEntryAndClosesTheWindow) {
    for (const char* text : {"D:\\FS9 SDK\\BGLComp.exe", " ", ""}) {
        HWND options = OpenSettings();
        ASSERT_TRUE(options);
        SetWindowTextA(Item(options, IDC_Options_Text1), text);
        SendMessageA(Item(options, IDC_Options_Command2), BM_CLICK, 0, 0);
        EXPECT_EQ(Settings(), std::string("[DEFAULT]\r\nBGLCOMP=") + text + "\r\n");
        EXPECT_FALSE(IsWindow(options));
        EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
    }
    EXPECT_TRUE(optionsRecorder.messages.empty());
}

TEST_F(OptionsWindowTest, CancelAndTheCloseBoxWriteNothing) {
    const std::function<void(HWND)> ways[] = {
        [](HWND options) { SendMessageA(GetDlgItem(options, IDC_Options_Command3), BM_CLICK, 0, 0); },
        [](HWND options) { SendMessageA(options, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& close : ways) {
        HWND options = OpenSettings();
        ASSERT_TRUE(options);
        SetWindowTextA(Item(options, IDC_Options_Text1), "C:\\typed\\but\\cancelled.exe");
        close(options);
        EXPECT_FALSE(IsWindow(options));
        EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
        EXPECT_EQ(Settings(), kOldSettings);
    }
}

TEST_F(OptionsWindowTest, EnterPressesOnlyAFocusedButtonAndEscapeNothing) {
    HWND options = OpenSettings();
    ASSERT_TRUE(options);
    HWND text = Item(options, IDC_Options_Text1);
    SetWindowTextA(text, "C:\\entered.exe");
    SetFocus(text);
    PressKey(options, VK_RETURN);
    PressKey(options, VK_ESCAPE);
    EXPECT_TRUE(IsWindow(options));
    EXPECT_EQ(Settings(), kOldSettings);

    SetFocus(Item(options, IDC_Options_Command2));
    PressKey(options, VK_RETURN);
    EXPECT_FALSE(IsWindow(options));
    EXPECT_EQ(Settings(), "[DEFAULT]\r\nBGLCOMP=C:\\entered.exe\r\n");
}

TEST_F(OptionsWindowTest, AFailedWriteIsReportedAndChangesNothing) {
    HWND options = OpenSettings();
    ASSERT_TRUE(options);
    SetWindowTextA(Item(options, IDC_Options_Text1), "C:\\new\\bglcomp.exe");
    HANDLE held = CreateFileA(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SendMessageA(Item(options, IDC_Options_Command2), BM_CLICK, 0, 0);
    CloseHandle(held);

    ASSERT_EQ(optionsRecorder.messages.size(), 1u);
    const std::string& message = optionsRecorder.messages[0];
    EXPECT_EQ(message.rfind("The settings could not be saved to \"" + SettingsFilePath() + "\".", 0), 0u) << message;
    EXPECT_GT(message.size(), SettingsFilePath().size() + 60) << "the reason is missing: " << message;
    EXPECT_TRUE(IsWindow(options));
    EXPECT_FALSE(IsWindowEnabled(window.hwnd()));
    EXPECT_EQ(WindowText(Item(options, IDC_Options_Text1)), "C:\\new\\bglcomp.exe");
    EXPECT_EQ(Settings(), kOldSettings);
    SendMessageA(options, WM_CLOSE, 0, 0);
}

TEST(FileDialogFilter, BecomesANulSeparatedList) {
    using namespace std::string_literals;
    EXPECT_EQ(FilterList("BGLComp Program (bglcomp.exe)|*.exe|"), "BGLComp Program (bglcomp.exe)\0*.exe\0\0"s);
    EXPECT_EQ(FilterList("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0\0"s);
    EXPECT_EQ(FilterList("XML Files (*.xml)|*.xml|All Files (*.*)|*.*| "),
              "XML Files (*.xml)\0*.xml\0All Files (*.*)\0*.*\0\0"s);
}

}  // namespace
