#include <windows.h>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/resource.h"

#include <utility>
#include <vector>

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

// The frames and the controls each holds: a relation of the design, not its coordinates.
const std::vector<std::pair<int, std::vector<int>>> kFrames = {
    {IDC_Frame1,
     {IDC_Label1, IDC_Label2, IDC_Label3, IDC_Label4, IDC_Label5, IDC_Label6, IDC_latitudemaximum, IDC_longitudeminimum,
      IDC_latitudeminimum, IDC_longitudemaximum, IDC_NW1, IDC_NW2, IDC_SE1, IDC_SE2, IDC_Image1}},
    {IDC_Frame2,
     {IDC_Exec_All, IDC_Exec_Beacon, IDC_Exec_Effects, IDC_Exec_GenBuild, IDC_Exec_Library, IDC_Exec_TaxiSigns,
      IDC_Exec_Triggers, IDC_Exec_Windsocks}},
    {IDC_Frame3, {IDC_txtoutput}},
};

TEST_F(MainWindowLayout, AtNinetySixDpiEveryControlHasItsRectangle) {
    if (ScreenDpi().x != 96 || ScreenDpi().y != 96) GTEST_SKIP() << "screen is not at 96 DPI";
    // Read off the window as built, checked once against the design.
    const std::pair<int, RECT> rects[] = {
        {IDC_Frame1, {8, 8, 497, 209}},
        {IDC_latitudemaximum, {40, 53, 145, 72}},
        {IDC_Label1, {16, 32, 113, 49}},
        {IDC_longitudeminimum, {40, 77, 145, 96}},
        {IDC_Label2, {16, 56, 57, 73}},
        {IDC_Label3, {16, 80, 65, 97}},
        {IDC_Label4, {312, 152, 337, 169}},
        {IDC_Label5, {312, 176, 345, 193}},
        {IDC_Label6, {312, 128, 393, 145}},
        {IDC_latitudeminimum, {336, 149, 441, 168}},
        {IDC_longitudemaximum, {336, 173, 441, 192}},
        {IDC_Frame2, {504, 8, 657, 209}},
        {IDC_Exec_All, {520, 32, 593, 45}},
        {IDC_Exec_Beacon, {536, 56, 633, 69}},
        {IDC_Exec_Effects, {536, 72, 593, 85}},
        {IDC_Exec_GenBuild, {536, 88, 641, 101}},
        {IDC_Exec_Library, {536, 104, 625, 117}},
        {IDC_Exec_TaxiSigns, {536, 120, 625, 133}},
        {IDC_Exec_Triggers, {536, 136, 633, 149}},
        {IDC_Exec_Windsocks, {536, 152, 609, 165}},
        {IDC_generate, {464, 256, 641, 281}},
        {IDC_txtoutput, {16, 232, 433, 497}},
        {IDC_save, {464, 288, 641, 313}},
        {IDC_Label7, {464, 480, 641, 513}},
        {IDC_NW1, {152, 53, 185, 70}},
        {IDC_NW2, {152, 77, 185, 94}},
        {IDC_SE1, {448, 149, 481, 166}},
        {IDC_SE2, {448, 173, 481, 190}},
        {IDC_DelSRC, {464, 224, 641, 241}},
        {IDC_Frame3, {8, 216, 441, 505}},
        {IDC_Image1, {200, 72, 300, 172}},
        {IDC_lblAreas, {464, 320, 641, 333}},
        {IDC_lstAreas, {464, 336, 641, 433}},
        {IDC_cmdAddArea, {464, 440, 549, 465}},
        {IDC_cmdRemoveArea, {556, 440, 641, 465}},
    };
    for (const auto& [id, expected] : rects) {
        const RECT actual = ClientRectOf(Control(id));
        EXPECT_TRUE(actual == expected) << "control " << id << ": " << Describe(actual);
    }
    EXPECT_TRUE(LayoutHolds(window.hwnd(), kFrames));
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_TRUE(client == RECT({0, 0, 664, 514})) << Describe(client);
}

// As Windows tells a window moved to a monitor of 144 DPI: every control laid out again from the
// twips, with a larger font and a picture drawn at the larger size, in the rectangle suggested.
TEST_F(MainWindowLayout, AMoveToAHundredAndFortyFourDpiLaysEverythingOutAgain) {
    if (ScreenDpi().x != 96 || ScreenDpi().y != 96) GTEST_SKIP() << "screen is not at 96 DPI";
    HWND main = window.hwnd();
    RECT outer, client;
    GetWindowRect(main, &outer);
    GetClientRect(main, &client);
    // Windows suggests a window whose client area is half as large again.
    RECT suggested = {outer.left, outer.top, outer.right + client.right / 2, outer.bottom + client.bottom / 2};
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    GetWindowRect(main, &now);
    EXPECT_TRUE(now == suggested) << Describe(now);
    GetClientRect(main, &client);
    EXPECT_TRUE(client == RECT({0, 0, 996, 771})) << Describe(client);
    const std::pair<int, RECT> rects[] = {
        {IDC_Frame1, {12, 12, 746, 314}},           {IDC_latitudemaximum, {60, 80, 218, 109}},
        {IDC_Exec_Windsocks, {804, 228, 914, 248}}, {IDC_txtoutput, {24, 348, 650, 746}},
        {IDC_Label7, {696, 720, 962, 770}},         {IDC_Image1, {300, 108, 450, 258}},
    };
    for (const auto& [id, expected] : rects) {
        const RECT actual = ClientRectOf(Control(id));
        EXPECT_TRUE(actual == expected) << "control " << id << ": " << Describe(actual);
    }
    EXPECT_TRUE(LayoutHolds(main, kFrames));
    // MS Sans Serif 8.25 pt at 144 DPI.
    for (int id : {IDC_latitudemaximum, IDC_Exec_All, IDC_generate, IDC_Frame1, IDC_txtoutput}) {
        EXPECT_EQ(FontOf(Control(id)).lfHeight, -17) << id;
    }
    BITMAP picture = {};
    GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(Control(IDC_Image1), STM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof picture, &picture);
    EXPECT_EQ(picture.bmWidth, 150);
    EXPECT_EQ(picture.bmHeight, 150);
    // And back again.
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&outer));
    EXPECT_TRUE(ClientRectOf(Control(IDC_latitudemaximum)) == RECT({40, 53, 145, 72}));
    EXPECT_EQ(FontOf(Control(IDC_latitudemaximum)).lfHeight, -11);
}

// Windows may tell a monitor's DPI other than the system's (scaling changed since sign-in): the
// main window is sized and laid out for its monitor before it shows, and so are the dialog
// windows it opens.
TEST(MainWindowOnAnotherMonitor, IsLaidOutForTheDpiOfItsMonitor) {
    if (ScreenDpi().x != 96 || ScreenDpi().y != 96) GTEST_SKIP() << "screen is not at 96 DPI";
    ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\FS9\\bglcomp.exe\r\n"));
    MessageRecorder recorder;
    MainWindow window(recorder.Sink(), [](HWND) { return Dpi{144, 144}; });
    ASSERT_TRUE(window.Load(GetModuleHandleA(nullptr)));
    RECT client, outer;
    GetClientRect(window.hwnd(), &client);
    EXPECT_TRUE(client == RECT({0, 0, 996, 771})) << Describe(client);
    EXPECT_TRUE(LayoutHolds(window.hwnd(), kFrames));
    GetWindowRect(window.hwnd(), &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    const struct {
        int command;
        const char* className;
        int button;
        RECT client;
    } dialogs[] = {{ID_menuSettings, "OptionsWindow", IDC_Options_Command2, {0, 0, 629, 159}},
                   {ID_help, "InfoDialog", IDOK, {0, 0, 603, 371}}};
    for (const auto& d : dialogs) {
        SendMessageA(window.hwnd(), WM_COMMAND, d.command, 0);
        HWND dialog = FindWindowA(d.className, nullptr);
        ASSERT_TRUE(dialog) << d.className;
        GetClientRect(dialog, &client);
        EXPECT_TRUE(client == d.client) << d.className << ": " << Describe(client);
        EXPECT_EQ(FontOf(GetDlgItem(dialog, d.button)).lfHeight, -17) << d.className;
        // Centred on the work area of the main window's monitor (scripts/test gives its display a
        // task bar's strip, so that this is not the screen's centre).
        MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(window.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor));
        GetWindowRect(dialog, &outer);
        EXPECT_NEAR(outer.left + outer.right, monitor.rcWork.left + monitor.rcWork.right, 2) << d.className;
        EXPECT_NEAR(outer.top + outer.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 2) << d.className;
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }
    DestroyWindow(window.hwnd());
    DeleteFileA(SettingsFilePath().c_str());
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
    EXPECT_EQ(client.right, MulDiv(664, dpi.x, 96));
    EXPECT_EQ(client.bottom, MulDiv(514, dpi.y, 96));
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
                                    IDC_Exec_Windsocks, IDC_generate, IDC_txtoutput, IDC_save, IDC_lstAreas,
                                    IDC_cmdAddArea, IDC_NW1, IDC_NW2,
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
        {IDC_lblAreas, "Static", "Areas"},          {IDC_lstAreas, "ListBox", ""},
        {IDC_cmdAddArea, "Button", "Add area"},     {IDC_cmdRemoveArea, "Button", "Remove area"},
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
    const LONG list = GetWindowLongA(Control(IDC_lstAreas), GWL_STYLE);
    EXPECT_TRUE(list & WS_VSCROLL);
    EXPECT_FALSE(list & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    const std::string notice = WindowText(Control(IDC_Label7));
    EXPECT_NE(notice.find("\r\n"), std::string::npos);
}

}  // namespace
