#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>

#include "info_window_texts.h"
#include "main_window_fixture.h"
#include "ui/resource.h"

namespace {

class InfoDialogTest : public MainWindowTest {
protected:
    HWND OpenInfo() {
        Command(ID_help);
        return FindWindowA("InfoDialog", "Zonewright Info");
    }
};

TEST_F(InfoDialogTest, ShowsTheFixedTextsWithABoldTitle) {
    HWND info = OpenInfo();
    ASSERT_TRUE(info);
    // Where each control stands at 96 DPI, in pixels: fifteen twips to the pixel.
    const std::map<int, RECT> places = {
        {IDOK, {312, 16, 393, 41}},
        {IDC_Info_Label1, {16, 16, 121, 33}},
        {IDC_Info_Label6, {16, 32, 73, 49}},
        {IDC_Info_Label2, {16, 56, 273, 97}},
        {IDC_Info_Label3, {16, 104, 273, 161}},
        {IDC_Info_Label4, {16, 168, 273, 201}},
        {IDC_Info_Label5, {16, 208, 273, 241}},
    };
    const bool at96 = ScreenDpi().x == 96 && ScreenDpi().y == 96;
    ASSERT_EQ(places.size(), std::size(kInfoWindowTexts));
    for (const ControlText& row : kInfoWindowTexts) {
        HWND control = GetDlgItem(info, row.id);
        ASSERT_TRUE(control) << row.text;
        EXPECT_EQ(WindowText(control), row.text);
        const auto place = places.find(row.id);
        ASSERT_NE(place, places.end()) << row.text;
        EXPECT_TRUE(!at96 || ClientRectOf(control) == place->second)
            << row.text << ": " << Describe(ClientRectOf(control));
        const LOGFONTA font = FontOf(control);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(font.lfWeight, row.id == IDC_Info_Label1 ? 700 : FW_NORMAL) << row.text;
    }
    EXPECT_TRUE(LayoutHolds(info, {}));
    RECT client;
    GetClientRect(info, &client);
    EXPECT_TRUE(!at96 || client == RECT({0, 0, 402, 247})) << Describe(client);
    EXPECT_EQ(GetFocus(), GetDlgItem(info, IDOK));
    // Owned by the main window and not an app window: it stays out of the task bar.
    EXPECT_EQ(GetWindow(info, GW_OWNER), window.hwnd());
    EXPECT_FALSE(GetWindowLongA(info, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongA(info, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    SendMessageA(info, WM_CLOSE, 0, 0);
}

TEST_F(InfoDialogTest, EveryWayOfClosingEnablesTheMainWindowAgain) {
    struct Way {
        const char* name;
        std::function<void(HWND info)> close;
    };
    const Way ways[] = {
        {"OK clicked", [](HWND info) { SendMessageA(GetDlgItem(info, IDOK), BM_CLICK, 0, 0); }},
        {"close box", [](HWND info) { SendMessageA(info, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Enter",
         [](HWND info) {
             MSG key = {GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
             IsDialogMessageA(info, &key);
         }},
        {"Space",
         [](HWND info) {
             HWND button = GetDlgItem(info, IDOK);
             SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
             SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
         }},
    };
    for (int round = 0; round < 2; ++round) {
        for (const Way& way : ways) {
            HWND info = OpenInfo();
            ASSERT_TRUE(info) << way.name;
            EXPECT_FALSE(IsWindowEnabled(window.hwnd())) << way.name;
            EXPECT_EQ(WindowText(GetDlgItem(info, IDC_Info_Label6)), "Version 2.0");
            way.close(info);
            EXPECT_FALSE(IsWindow(info)) << way.name;
            EXPECT_TRUE(IsWindowEnabled(window.hwnd())) << way.name;
        }
    }
}

TEST_F(InfoDialogTest, EscapeDoesNotCloseIt) {
    HWND info = OpenInfo();
    ASSERT_TRUE(info);
    MSG key = {GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    IsDialogMessageA(info, &key);
    EXPECT_TRUE(IsWindow(info));
    EXPECT_FALSE(IsWindowEnabled(window.hwnd()));
    SendMessageA(info, WM_CLOSE, 0, 0);
}

}  // namespace
