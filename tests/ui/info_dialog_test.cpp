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
    // Where each control stands, in twips.
    struct Place {
        int left, top, width, height;
    };
    const std::map<int, Place> places = {
        {IDOK, {4680, 240, 1215, 375}},
        {IDC_Info_Label1, {240, 240, 1575, 255}},
        {IDC_Info_Label6, {240, 480, 855, 255}},
        {IDC_Info_Label2, {240, 840, 3855, 615}},
        {IDC_Info_Label3, {240, 1560, 3855, 855}},
        {IDC_Info_Label4, {240, 2520, 3855, 495}},
        {IDC_Info_Label5, {240, 3120, 3855, 495}},
    };
    ASSERT_EQ(places.size(), std::size(kInfoWindowTexts));
    for (const ControlText& row : kInfoWindowTexts) {
        HWND control = GetDlgItem(info, row.id);
        ASSERT_TRUE(control) << row.text;
        EXPECT_EQ(WindowText(control), row.text);
        const auto place = places.find(row.id);
        ASSERT_NE(place, places.end()) << row.text;
        const RECT expected =
            ExpectedRect(0, 0, place->second.left, place->second.top, place->second.width, place->second.height);
        EXPECT_TRUE(ClientRectOf(control) == expected) << row.text << ": " << Describe(ClientRectOf(control));
        const LOGFONTA font = FontOf(control);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(font.lfWeight, row.id == IDC_Info_Label1 ? 700 : FW_NORMAL) << row.text;
    }
    RECT client;
    GetClientRect(info, &client);
    EXPECT_EQ(client.right, TwipsToPixels(6030, ScreenDpi().x));
    EXPECT_EQ(client.bottom, TwipsToPixels(3705, ScreenDpi().y));
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
