#include <windows.h>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/resource.h"

namespace {

TEST(TwipsToPixels, FifteenTwipsToThePixelAt96AndTenAt144) {
    EXPECT_EQ(TwipsToPixels(9960, 96), 664);
    EXPECT_EQ(TwipsToPixels(7710, 96), 514);
    EXPECT_EQ(TwipsToPixels(2480, 96), 165);  // 165.33 rounds down
    EXPECT_EQ(TwipsToPixels(1040, 96), 69);   // 69.33
    EXPECT_EQ(TwipsToPixels(3855, 96), 257);
    EXPECT_EQ(TwipsToPixels(9960, 144), 996);
    EXPECT_EQ(TwipsToPixels(195, 144), 20);  // 19.5 rounds up
    EXPECT_EQ(TwipsToPixels(0, 120), 0);
}

using MainWindowLayout = MainWindowTest;

TEST_F(MainWindowLayout, EveryControlStandsWhereTheDesignPutsIt) {
    struct Row {
        int id;
        int frameLeft, frameTop;  // the holding frame's corner, 0 for the window
        int left, top, width, height;
    };
    const int f1[] = {120, 120}, f2[] = {7560, 120};
    const Row rows[] = {
        {IDC_txtoutput, 0, 0, 240, 3480, 6255, 3975},
        {IDC_Frame3, 0, 0, 120, 3240, 6495, 4335},
        {IDC_DelSRC, 0, 0, 6960, 3360, 2655, 255},
        {IDC_save, 0, 0, 6960, 4320, 2655, 375},
        {IDC_generate, 0, 0, 6960, 3840, 2655, 375},
        {IDC_Frame2, 0, 0, 7560, 120, 2295, 3015},
        {IDC_Exec_Windsocks, f2[0], f2[1], 480, 2160, 1095, 195},
        {IDC_Exec_Triggers, f2[0], f2[1], 480, 1920, 1455, 195},
        {IDC_Exec_TaxiSigns, f2[0], f2[1], 480, 1680, 1335, 195},
        {IDC_Exec_Library, f2[0], f2[1], 480, 1440, 1335, 195},
        {IDC_Exec_GenBuild, f2[0], f2[1], 480, 1200, 1575, 195},
        {IDC_Exec_Effects, f2[0], f2[1], 480, 960, 855, 195},
        {IDC_Exec_Beacon, f2[0], f2[1], 480, 720, 1455, 195},
        {IDC_Exec_All, f2[0], f2[1], 240, 360, 1095, 195},
        {IDC_Frame1, 0, 0, 120, 120, 7335, 3015},
        {IDC_SE2, f1[0], f1[1], 6600, 2480, 495, 255},
        {IDC_SE1, f1[0], f1[1], 6600, 2120, 495, 255},
        {IDC_NW2, f1[0], f1[1], 2160, 1040, 495, 255},
        {IDC_NW1, f1[0], f1[1], 2160, 680, 495, 255},
        {IDC_longitudemaximum, f1[0], f1[1], 4920, 2480, 1575, 285},
        {IDC_latitudeminimum, f1[0], f1[1], 4920, 2120, 1575, 285},
        {IDC_longitudeminimum, f1[0], f1[1], 480, 1040, 1575, 285},
        {IDC_latitudemaximum, f1[0], f1[1], 480, 680, 1575, 285},
        {IDC_Label6, f1[0], f1[1], 4560, 1800, 1215, 255},
        {IDC_Label5, f1[0], f1[1], 4560, 2520, 495, 255},
        {IDC_Label4, f1[0], f1[1], 4560, 2160, 375, 255},
        {IDC_Label3, f1[0], f1[1], 120, 1080, 735, 255},
        {IDC_Label2, f1[0], f1[1], 120, 720, 615, 255},
        {IDC_Label1, f1[0], f1[1], 120, 360, 1455, 255},
        {IDC_Label7, 0, 0, 6960, 7200, 2655, 495},
    };
    for (const Row& row : rows) {
        HWND control = Control(row.id);
        ASSERT_TRUE(control) << row.id;
        const RECT expected = ExpectedRect(row.frameLeft, row.frameTop, row.left, row.top, row.width, row.height);
        const RECT actual = ClientRectOf(control);
        EXPECT_TRUE(actual == expected) << "control " << row.id << ": " << Describe(actual) << " instead of "
                                        << Describe(expected);
    }
    // The picture is drawn at its natural size of 100 x 100 pixels from its corner.
    const RECT picture = ClientRectOf(Control(IDC_Image1));
    const RECT corner = ExpectedRect(f1[0], f1[1], 2880, 960, 0, 0);
    EXPECT_EQ(picture.left, corner.left);
    EXPECT_EQ(picture.top, corner.top);
    EXPECT_EQ(picture.right - picture.left, 100);
    EXPECT_EQ(picture.bottom - picture.top, 100);
}

TEST_F(MainWindowLayout, AtNinetySixDpiTheKnownPixelsComeOut) {
    if (ScreenDpi().x != 96 || ScreenDpi().y != 96) GTEST_SKIP() << "screen is not at 96 DPI";
    const RECT box = ClientRectOf(Control(IDC_latitudemaximum));
    EXPECT_TRUE(box == RECT({40, 53, 145, 72})) << Describe(box);
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, 664);
    EXPECT_EQ(client.bottom, 514);
}

TEST_F(MainWindowLayout, WindowHasAFixedBorderNoBoxesAndIsCentred) {
    const LONG style = GetWindowLongA(window.hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    RECT client;
    GetClientRect(window.hwnd(), &client);
    const Dpi dpi = ScreenDpi();
    EXPECT_EQ(client.right, TwipsToPixels(9960, dpi.x));
    EXPECT_EQ(client.bottom, TwipsToPixels(7710, dpi.y));
    RECT outer;
    GetWindowRect(window.hwnd(), &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    char caption[64];
    GetWindowTextA(window.hwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Zonewright");
}

TEST_F(MainWindowLayout, TabOrderFollowsTheDesignAndSkipsDisabledBoxes) {
    const std::vector<int> order = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum,
                                    IDC_longitudemaximum, IDC_Exec_All, IDC_Exec_Beacon, IDC_Exec_Effects,
                                    IDC_Exec_GenBuild, IDC_Exec_Library, IDC_Exec_TaxiSigns, IDC_Exec_Triggers,
                                    IDC_Exec_Windsocks, IDC_generate, IDC_txtoutput, IDC_save, IDC_NW1, IDC_NW2,
                                    IDC_SE1, IDC_SE2, IDC_DelSRC, IDC_latitudemaximum};
    EXPECT_EQ(GetFocus(), Control(IDC_latitudemaximum));
    HWND at = Control(IDC_latitudemaximum);
    for (size_t i = 1; i < order.size(); ++i) {
        at = GetNextDlgTabItem(window.hwnd(), at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), order[i]) << "step " << i;
    }
    Click(IDC_Exec_All);
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(window.hwnd(), Control(IDC_Exec_All), FALSE)), IDC_generate);
}

TEST_F(MainWindowLayout, SourceViewLiesAboveItsFrameAndLabelsBeneathTheBoxes) {
    auto above = [](HWND upper, HWND lower) {
        for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (w == lower) return true;
        }
        return false;
    };
    EXPECT_TRUE(above(Control(IDC_txtoutput), Control(IDC_Frame3)));
    EXPECT_TRUE(above(Control(IDC_longitudemaximum), Control(IDC_Label5)));
    EXPECT_TRUE(above(Control(IDC_latitudemaximum), Control(IDC_Label2)));
    EXPECT_TRUE(above(Control(IDC_Exec_All), Control(IDC_Frame2)));
}

TEST_F(MainWindowLayout, ControlsUseMsSansSerifAtEightPointTwoFive) {
    // 8.25 pt is 11 pixels at 96 DPI; a negative height asks for the character height.
    if (ScreenDpi().y != 96) GTEST_SKIP() << "the screen is not 96 DPI";
    const int height = -11;
    for (int id : {IDC_latitudemaximum, IDC_Exec_All, IDC_generate, IDC_Frame1, IDC_Label7, IDC_txtoutput}) {
        const LOGFONTA font = FontOf(Control(id));
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif") << id;
        EXPECT_EQ(font.lfHeight, height) << id;
        EXPECT_EQ(font.lfWeight, FW_NORMAL) << id;
    }
}

TEST_F(MainWindowLayout, ControlsCarryTheirCaptionsAndKinds) {
    struct Row {
        int id;
        const char* className;
        const char* caption;
    };
    const Row rows[] = {
        {IDC_Frame1, "Button", "Exclusion area"},   {IDC_Frame2, "Button", "Exclusion type"},
        {IDC_Frame3, "Button", "Source code"},      {IDC_Label1, "Static", "Northwest point"},
        {IDC_Label6, "Static", "Southeast point"},  {IDC_Label2, "Static", "Lat:"},
        {IDC_Label5, "Static", "Lon:"},             {IDC_NW1, "Button", "FSC"},
        {IDC_generate, "Button", "Generate source code"},
        {IDC_save, "Button", "Save source and generate .bgl"},
        {IDC_DelSRC, "Button", "Delete source after compilation?"},
        {IDC_Exec_All, "Button", "All objects"},    {IDC_Exec_GenBuild, "Button", "Generic buildings"},
        {IDC_Exec_TaxiSigns, "Button", "Taxiway signs"},
        {IDC_latitudemaximum, "Edit", ""},          {IDC_txtoutput, "Edit", ""},
    };
    for (const Row& row : rows) {
        char className[32];
        GetClassNameA(Control(row.id), className, sizeof className);
        EXPECT_STREQ(className, row.className) << row.caption;
        EXPECT_EQ(WindowText(Control(row.id)), row.caption);
    }
    const LONG view = GetWindowLongA(Control(IDC_txtoutput), GWL_STYLE);
    EXPECT_TRUE(view & ES_MULTILINE);
    EXPECT_TRUE(view & WS_VSCROLL);
    EXPECT_FALSE(view & (WS_HSCROLL | ES_AUTOHSCROLL));
    const std::string notice = WindowText(Control(IDC_Label7));
    EXPECT_NE(notice.find("\r\n"), std::string::npos);
}

}  // namespace
