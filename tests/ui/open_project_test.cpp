#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "test_folder.h"

namespace {

// What Windows hands a window that files are dropped on: a DROPFILES block with the paths, each
// ended by a NUL, and a NUL after the last. The window frees it.
HDROP Dropped(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

using OpenProjectTest = MainWindowTest;

// A project dropped on the main window opens as File > Open opens it, the first of several; one
// that cannot be read is told; and nothing opens while the window is disabled.
TEST_F(OpenProjectTest, ADroppedProjectFileIsOpened) {
    TestFolder folder;
    const std::string first = folder.Path("first area.exc");
    const std::string second = folder.Path("second.exc");
    ASSERT_FALSE(WriteWholeFile(first,
                                "[area]\r\nlatitudemaximum=47.5\r\nlongitudeminimum=-122.5\r\n"
                                "latitudeminimum=47.25\r\nlongitudemaximum=-122.25\r\n[exclusion]\r\n"
                                "Exc_All=1\r\n"));
    ASSERT_FALSE(WriteWholeFile(second, "[area]\r\nlatitudemaximum=1\r\n"));

    EnableWindow(window.hwnd(), FALSE);
    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped({first})), 0);
    EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "");
    EnableWindow(window.hwnd(), TRUE);

    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped({first, second})), 0);
    EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "47.5");
    EXPECT_EQ(WindowText(Control(IDC_longitudemaximum)), "-122.25");
    // Loading stopped quietly where the exclusion section ended, after "All objects".
    EXPECT_EQ(Check(IDC_Exec_All), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_Exec_Beacon)));
    EXPECT_EQ(Check(IDC_DelSRC), BST_CHECKED);
    EXPECT_TRUE(recorder.messages.empty());


    const std::string missing = folder.Path("missing.exc");
    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped({missing})), 0);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].rfind("The project file \"" + missing + "\" could not be opened.\r\n\r\n", 0), 0u)
        << recorder.messages[0];
    EXPECT_EQ(recorder.icons[0], static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "47.5");

    // Larger than any project (a disc image, say): refused before a byte of it is read.
    const std::string huge = folder.Path("huge.exc");
    ASSERT_FALSE(WriteWholeFile(huge, "[area]\r\nlatitudemaximum=9\r\n" + std::string(16 * 1024 * 1024, ' ')));
    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped({huge})), 0);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[1], "The project file \"" + huge +
                                        "\" could not be opened.\r\n\r\nIt is larger than 16 MB, which no project "
                                        "file is. Nothing was loaded.");
    EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "47.5");

    // Saved by a text editor as Unicode, with a byte-order mark: read as the profile functions read it.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[area]\r\nlatitudemaximum=N47\xB0\r\n")) utf16 += std::string{c, '\0'};
    for (const std::string& bytes : {std::string("\xEF\xBB\xBF[area]\r\nlatitudemaximum=N47\xC2\xB0\r\n"), utf16}) {
        ASSERT_FALSE(WriteWholeFile(second, bytes));
        SendMessageA(Control(IDC_latitudemaximum), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped({second})), 0);
        EXPECT_EQ(WindowText(Control(IDC_latitudemaximum)), "N47\xB0");
    }

    // A later area the loading stopped before is told: a save over the file would drop it.
    ASSERT_FALSE(WriteWholeFile(second, "[area]\r\nlatitudemaximum=1\r\n[area2]\r\nlatitudemaximum=2\r\n"));
    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped({second})), 0);
    ASSERT_EQ(recorder.messages.size(), 3u);
    EXPECT_EQ(recorder.messages[2].rfind("Area 2 of the project \"" + second + "\" could not be loaded", 0), 0u);
    EXPECT_NE(recorder.messages[2].find(". The area before it loaded.\r\n"), std::string::npos);
}

}  // namespace
