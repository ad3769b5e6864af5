#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "golden_texts.h"
#include "main_window_fixture.h"
#include "storage/ini_read.h"
#include "ui/check_box.h"
#include "ui/resource.h"
#include "win32_test_support.h"

namespace {

TEST_F(MainWindowTest, StartsWithEveryControlInItsInitialState) {
    ExpectInitialContent();
    EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
}

TEST_F(MainWindowTest, AClickTogglesBetweenClearAndTickedOnly) {
    for (int id : {IDC_Exec_Beacon, IDC_DelSRC}) {
        const LRESULT first = Check(id);
        Click(id);
        EXPECT_EQ(Check(id), first == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED) << id;
        Click(id);
        EXPECT_EQ(Check(id), first) << id;
        EXPECT_EQ(GetWindowLongA(Control(id), GWL_STYLE) & BS_TYPEMASK, BS_3STATE) << id;
    }
    // A grayed box (only a project file sets one) is ticked by a click.
    SendMessageA(Control(IDC_Exec_Effects), BM_SETCHECK, BST_INDETERMINATE, 0);
    Click(IDC_Exec_Effects);
    EXPECT_EQ(Check(IDC_Exec_Effects), BST_CHECKED);
}

TEST_F(MainWindowTest, AllObjectsDisablesTheSevenAndKeepsTheirTicks) {
    Click(IDC_Exec_Beacon);
    Click(IDC_Exec_Effects);
    Click(IDC_Exec_All);
    for (int id : kSingleTypeIds) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    EXPECT_EQ(Check(IDC_Exec_Beacon), BST_CHECKED);
    EXPECT_EQ(Check(IDC_Exec_Effects), BST_CHECKED);
    EXPECT_EQ(Check(IDC_Exec_GenBuild), BST_UNCHECKED);
    Click(IDC_Exec_All);
    for (int id : kSingleTypeIds) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
    EXPECT_EQ(Check(IDC_Exec_Beacon), BST_CHECKED);
    EXPECT_EQ(Check(IDC_Exec_Effects), BST_CHECKED);
}

TEST_F(MainWindowTest, TheRuleRunsOnEveryChangeOfStateButNotOnTheSameState) {
    HWND all = Control(IDC_Exec_All);
    // Grayed changes nothing, from clear: the seven stay enabled.
    SendMessageA(all, BM_SETCHECK, BST_INDETERMINATE, 0);
    for (int id : kSingleTypeIds) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;

    // Whoever sets the state: here a plain BM_SETCHECK, as a project file load does.
    SendMessageA(all, BM_SETCHECK, BST_CHECKED, 0);
    for (int id : kSingleTypeIds) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;

    // Nor from ticked: the seven stay disabled.
    SendMessageA(all, BM_SETCHECK, BST_INDETERMINATE, 0);
    for (int id : kSingleTypeIds) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;

    SendMessageA(all, BM_SETCHECK, BST_UNCHECKED, 0);
    for (int id : kSingleTypeIds) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;

    // Writing the state the box already has is no change and runs nothing.
    EnableWindow(Control(IDC_Exec_Windsocks), FALSE);
    SendMessageA(all, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_Exec_Windsocks)));
}

// The main window's own procedure, and the state-change notifications that reach it.
WNDPROC mainWindowProcedure = nullptr;
std::vector<std::pair<int, HWND>> stateChanges;

LRESULT CALLBACK RecordStateChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == kCheckStateChanged) {
        stateChanges.emplace_back(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    }
    return CallWindowProcA(mainWindowProcedure, window, message, wParam, lParam);
}

TEST_F(MainWindowTest, EachRealChangeOfABoxNotifiesTheWindowOnceAndTheSameStateNotAtAll) {
    mainWindowProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordStateChanges)));
    ASSERT_TRUE(mainWindowProcedure);
    struct Step {
        const char* name;
        bool click;     // else BM_SETCHECK with the state
        LRESULT state;  // the state afterwards
        bool changes;
    };
    const Step steps[] = {
        {"clear set clear", false, BST_UNCHECKED, false},       {"clear clicked", true, BST_CHECKED, true},
        {"ticked set ticked", false, BST_CHECKED, false},       {"ticked set grayed", false, BST_INDETERMINATE, true},
        {"grayed set grayed", false, BST_INDETERMINATE, false}, {"grayed clicked", true, BST_CHECKED, true},
        {"ticked clicked", true, BST_UNCHECKED, true},          {"clear set grayed", false, BST_INDETERMINATE, true},
        {"grayed set clear", false, BST_UNCHECKED, true},       {"clear set ticked", false, BST_CHECKED, true},
        {"ticked set clear", false, BST_UNCHECKED, true},
    };
    std::vector<int> boxes(std::begin(kSingleTypeIds), std::end(kSingleTypeIds));
    boxes.insert(boxes.end(), {IDC_Exec_All, IDC_DelSRC});
    for (int id : boxes) {
        HWND box = Control(id);
        SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);  // Delete-source starts ticked.
        for (const Step& step : steps) {
            SCOPED_TRACE(::testing::Message() << "control " << id << ", " << step.name);
            stateChanges.clear();
            if (step.click) {
                Click(id);
            } else {
                SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(step.state), 0);
            }
            EXPECT_EQ(Check(id), step.state);
            using Log = std::vector<std::pair<int, HWND>>;
            EXPECT_EQ(stateChanges, (step.changes ? Log{{id, box}} : Log{}));
        }
    }
    SetWindowLongPtrA(window.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainWindowProcedure));
}

TEST_F(MainWindowTest, NewPutsBackTheInitialContent) {
    for (int id : kCoordinateIds) SetWindowTextA(Control(id), "12.5");
    Click(IDC_Exec_Windsocks);
    SendMessageA(Control(IDC_Exec_Library), BM_SETCHECK, BST_INDETERMINATE, 0);
    Click(IDC_Exec_All);
    Click(IDC_DelSRC);
    Click(IDC_generate);
    ASSERT_NE(WindowText(Control(IDC_txtoutput)), "");

    Command(ID_menuNew);

    ExpectInitialContent();
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MainWindowTest, AddToOutputAppendsALineAndPutsTheCaretAtTheEnd) {
    window.AddToOutput("first");
    window.AddToOutput("");
    window.AddToOutput("third line");
    const std::string text = WindowText(Control(IDC_txtoutput));
    EXPECT_EQ(text, "first\r\n\r\nthird line\r\n");
    DWORD start = 0, end = 0;
    SendMessageA(Control(IDC_txtoutput), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, text.size());
    EXPECT_EQ(end, text.size());
}

TEST_F(MainWindowTest, GenerateFillsTheSourceViewWithTheDocument) {
    const char* texts[] = {"47.5", "-122.5", "47.25", "-122.25"};
    for (int i = 0; i < 4; ++i) SetWindowTextA(Control(kCoordinateIds[i]), texts[i]);
    Click(IDC_Exec_Triggers);
    Click(IDC_Exec_Beacon);
    SetWindowTextA(Control(IDC_txtoutput), "an older document");
    Click(IDC_generate);
    Click(IDC_generate);
    EXPECT_EQ(WindowText(Control(IDC_txtoutput)), kBeaconsAndTriggersDocument);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MainWindowTest, FailedChecksShowTheirMessagesAndLeaveTheViewEmpty) {
    SetWindowTextA(Control(IDC_txtoutput), "an older document");
    Click(IDC_generate);
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kMissingCoordinates, kMissingObjectTypes}));
    EXPECT_EQ(WindowText(Control(IDC_txtoutput)), "");
}

// The pixels of the bitmap a picture control shows, as 0xRRGGBB, top row first.
std::vector<uint32_t> Pixels(HWND picture) {
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), 100, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<uint32_t> pixels(100 * 100);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, 100, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return rows == 100 ? pixels : std::vector<uint32_t>();
}

TEST_F(MainWindowTest, ThePictureShowsTheAreaToScaleOnceAllFourTextsAreRead) {
    if (ScreenDpi().x != 96) GTEST_SKIP() << "the picture is 100 pixels square at 96 DPI only";
    HWND picture = Control(IDC_Image1);
    const LRESULT diagram = SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    const uint32_t orange = 0xFF8000, red = 0xFF0000, navy = 0x000080;
    struct Case {
        const char* name;
        const char* texts[4];  // latitude maximum, longitude minimum, latitude minimum, longitude maximum
        uint32_t outline;      // 0: the diagram as at start
        bool south;            // where the northwest dot lies: its longitude is always the west side
    };
    const Case cases[] = {
        {"twice as high as wide", {"0.01", "10", "-0.01", "10.01"}, orange, false},
        {"NW south of SE", {"-0.01", "10", "0.01", "10.01"}, red, true},
        {"NW east of SE, as typed across the 180th meridian", {"0.01", "179.995", "-0.01", "-179.995"}, red, false},
        {"one text unreadable", {"0.01", "10", "-0.01", "10.01x"}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 4; ++i) SetWindowTextA(Control(kCoordinateIds[i]), c.texts[i]);
        if (!c.outline) {
            EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), diagram);
            continue;
        }
        const std::vector<uint32_t> pixels = Pixels(picture);
        ASSERT_EQ(pixels.size(), 100u * 100u);
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), c.outline == red ? orange : red), 0);
        // The north-south side spans the diagram's 88 pixels, the east-west one half of that,
        // centred: its west and east sides are the columns mostly of the outline's colour.
        std::vector<int> across, down;
        for (int x = 0; x < 100; ++x) {
            int count = 0;
            for (int y = 0; y < 100; ++y) count += pixels[y * 100 + x] == c.outline;
            if (count > 30) across.push_back(x);
        }
        for (int y = 0; y < 100; ++y) {
            if (pixels[y * 100 + 50] == c.outline) down.push_back(y);
        }
        ASSERT_FALSE(across.empty() || down.empty());
        EXPECT_NEAR(across.front(), 28, 1);
        EXPECT_NEAR(across.back(), 72, 1);
        EXPECT_EQ(down.front(), 6);
        EXPECT_EQ(down.back(), 93);
        const POINT northwest = {30, c.south ? 91 : 9};
        EXPECT_EQ(pixels[northwest.y * 100 + northwest.x], navy);
        EXPECT_NE(pixels[northwest.y * 100 + 100 - northwest.x], navy);
    }
}

// The list's lines, in order.
std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        char line[256] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        lines.push_back(line);
    }
    return lines;
}

TEST_F(MainWindowTest, AreasAreAddedSelectedInTheListOrThePictureAndRemoved) {
    HWND list = Control(IDC_lstAreas), picture = Control(IDC_Image1);
    auto type = [&](const std::vector<const char*>& texts) {
        for (int i = 0; i < 4; ++i) SetWindowTextA(Control(kCoordinateIds[i]), texts[i]);
    };
    auto shown = [&] {
        return WindowText(Control(IDC_latitudemaximum)) + " " + WindowText(Control(IDC_longitudemaximum));
    };
    auto choose = [&](int line) {
        SendMessageA(list, LB_SETCURSEL, line, 0);
        SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_lstAreas, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
    EXPECT_EQ(ListLines(list), (std::vector<std::string>{"1\tnot placed\tno types"}));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_cmdRemoveArea)));
    Command(ID_menuMap);  // nothing to draw: nothing opens
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kNothingOnMap});
    recorder.messages.clear();
    type({"0.01", "10", "-0.01", "10.01"});
    Click(IDC_Exec_Windsocks);
    Click(IDC_Exec_Library);
    Click(IDC_cmdAddArea);
    EXPECT_EQ(GetFocus(), Control(IDC_latitudemaximum));
    EXPECT_EQ(shown(), " ");
    EXPECT_EQ(Check(IDC_Exec_Library), BST_CHECKED) << "the types of the area selected before";
    type({"0.01", "10.02", "-0.01", "10.03"});
    Click(IDC_Exec_Library);
    EXPECT_EQ(ListLines(list),
              (std::vector<std::string>{"1\t1.1 \xD7 2.2 km\tlibrary, windsocks", "2\t1.1 \xD7 2.2 km\twindsocks"}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_cmdRemoveArea)));
    if (ScreenDpi().x == 96) {
        // Side by side at one scale: the first in grey on the left, the selected one to its right.
        const std::vector<uint32_t> pixels = Pixels(picture);
        ASSERT_EQ(pixels.size(), 100u * 100u);
        EXPECT_EQ(pixels[50 * 100 + 7], 0xA0A0A0u);
        EXPECT_EQ(pixels[50 * 100 + 25], pixels[0]) << "outlined, not filled";
        EXPECT_EQ(pixels[50 * 100 + 93], 0xFF8000u);
    }

    choose(0);
    EXPECT_EQ(shown(), "0.01 10.01");
    EXPECT_EQ(Check(IDC_Exec_Library), BST_CHECKED);
    SendMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 50));
    SendMessageA(picture, WM_LBUTTONUP, 0, MAKELPARAM(80, 50));
    EXPECT_EQ(shown(), "0.01 10.03") << "a click inside the second area selects it";
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);

    recorder.answer = IDNO;
    Click(IDC_cmdRemoveArea);
    EXPECT_EQ(ListLines(list).size(), 2u);
    recorder.answer = IDYES;
    SetFocus(Control(IDC_cmdRemoveArea));
    Click(IDC_cmdRemoveArea);
    EXPECT_EQ(recorder.messages, (std::vector<std::string>(2, "Remove area 2? Its corners are lost.")));
    EXPECT_EQ(ListLines(list).size(), 1u);
    EXPECT_EQ(GetFocus(), list) << "not left on the button, disabled now";
    EXPECT_EQ(shown(), "0.01 10.01");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_cmdRemoveArea)));
    Click(IDC_cmdAddArea);
    Click(IDC_cmdRemoveArea);
    EXPECT_EQ(recorder.messages.size(), 2u) << "an empty area goes without a question";

    // Generate selects the first area it cannot write, and names it.
    Click(IDC_cmdAddArea);
    choose(0);
    Click(IDC_generate);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(shown(), " ");
    EXPECT_EQ(recorder.messages.back(), "Area 2: " + std::string(kMissingCoordinates));

    // A grey "All objects" of the area selected leaves the seven as its own, not as the last area's.
    choose(0);
    Click(IDC_Exec_All);
    choose(1);
    SendMessageA(Control(IDC_Exec_All), BM_SETCHECK, BST_INDETERMINATE, 0);
    choose(0);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_Exec_Beacon)));
    choose(1);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_Exec_Beacon)));
    choose(0);
    Click(IDC_cmdRemoveArea);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_Exec_Beacon))) << "the area left after a removal, as one chosen";
    Click(IDC_cmdAddArea);

    // A pasted pair fills the corner, and each box can undo it.
    ASSERT_TRUE(CopyToClipboard(window.hwnd(), "47.4650, -122.3170"));
    SendMessageA(Control(IDC_latitudemaximum), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(Control(IDC_longitudeminimum)), "-122.3170");
    SendMessageA(Control(IDC_longitudeminimum), EM_UNDO, 0, 0);
    EXPECT_EQ(WindowText(Control(IDC_longitudeminimum)), "");
    EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "47.4650");
    EXPECT_EQ(ListLines(list)[1].rfind("2\tnot placed\t", 0), 0u);
    // Anything else is pasted as the box pastes it.
    ASSERT_TRUE(CopyToClipboard(window.hwnd(), "47 25 53.4"));
    SendMessageA(Control(IDC_latitudeminimum), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(Control(IDC_latitudeminimum)), "47 25 53.4");
}

TEST_F(MainWindowTest, ExitDestroysTheWindowAndEndsTheLoop) {
    HWND main = window.hwnd();
    SetWindowTextA(Control(IDC_latitudemaximum), "unsaved");
    Command(ID_menuExit);
    EXPECT_FALSE(IsWindow(main));
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(recorder.messages.empty());
}

// What the wait sees: the cursor of this thread when a message sent from another thread
// arrives. The wait for FSConnect takes such messages, and nothing else.
HCURSOR cursorDuringTheWait = nullptr;
LRESULT CALLBACK CursorProbe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) cursorDuringTheWait = GetCursor();
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(MainWindowTest, ACaptureShowsTheWaitCursorWhileItWaitsForFsconnect) {
    Simulator simulator("--lat 47.5 --lon -122.25 --slow 400");
    ASSERT_EQ(simulator.error(), "");
    ASSERT_TRUE(simulator.WaitForWindow());
    WNDCLASSA probeClass = {};
    probeClass.lpfnWndProc = &CursorProbe;
    probeClass.hInstance = GetModuleHandleA(nullptr);
    probeClass.lpszClassName = "ZonewrightCursorProbe";
    RegisterClassA(&probeClass);
    HWND probe = CreateWindowA("ZonewrightCursorProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(probe);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    cursorDuringTheWait = nullptr;
    std::thread sender([probe] {
        Sleep(150);
        SendMessageTimeoutA(probe, WM_APP, 0, 0, SMTO_BLOCK, 5000, nullptr);
    });
    Click(IDC_NW1);
    sender.join();
    DestroyWindow(probe);
    EXPECT_EQ(cursorDuringTheWait, LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "47.5");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MainWindowTest, LabelsOneAndSevenHaveTheirOwnColours) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto colourOf = [&](int id) {
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageA(window.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Control(id)));
        return GetTextColor(dc);
    };
    EXPECT_EQ(colourOf(IDC_Label1), RGB(0, 0, 0));
    EXPECT_EQ(colourOf(IDC_Label7), GetSysColor(COLOR_BTNSHADOW));
    DeleteDC(dc);
}

// Start-up, with the settings file beside the test program as it is beside Zonewright.exe.
class StartupCheck : public ::testing::Test {
protected:
    void TearDown() override {
        if (window.hwnd()) DestroyWindow(window.hwnd());
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        DeleteFileA(SettingsFilePath().c_str());
    }
    MessageRecorder recorder;
    MainWindow window{recorder.Sink()};
};

TEST_F(StartupCheck, WarnsOnceWhenNoCompilerIsSet) {
    struct Case {
        const char* name;
        const char* content;  // nullptr: no file at all
        bool warns;
    };
    const Case cases[] = {
        {"no file", nullptr, true},
        {"no key", "[DEFAULT]\r\nOTHER=x\r\n", true},
        {"empty value", "[DEFAULT]\r\nBGLCOMP=\r\n", true},
        {"a single blank", "[DEFAULT]\r\nBGLCOMP= \r\n", false},
        {"a path", "[default]\r\nbglcomp=C:\\x\\bglcomp.exe\r\n", false},
    };
    for (const Case& c : cases) {
        DeleteFileA(SettingsFilePath().c_str());
        if (c.content) {
            ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), c.content));
        }
        MessageRecorder recorder;
        MainWindow window(recorder.Sink());
        ASSERT_TRUE(window.Load(GetModuleHandleA(nullptr))) << c.name;
        const std::vector<std::string> expected =
            c.warns ? std::vector<std::string>{kDefineCompiler} : std::vector<std::string>{};
        EXPECT_EQ(recorder.messages, expected) << c.name;
        EXPECT_EQ(GetFileAttributesA(SettingsFilePath().c_str()) != INVALID_FILE_ATTRIBUTES, true) << c.name;
        DestroyWindow(window.hwnd());
    }
}

TEST_F(StartupCheck, ASettingsFileThatCannotBeReadCountsAsEmpty) {
    ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\x\\bglcomp.exe\r\n"));
    HANDLE held =
        CreateFileA(SettingsFilePath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool loaded = window.Load(GetModuleHandleA(nullptr));
    CloseHandle(held);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kDefineCompiler});
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
}

}  // namespace
