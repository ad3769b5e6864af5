#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "storage/text_file.h"
#include "generator/compile_batch.h"
#include "ui/main_window.h"
#include "storage/program_folder.h"
#include "ui/resource.h"
#include "ui_test_support.h"

// A main window loaded as at program start, with a compiler set so that start-up stays quiet.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\FS9\\bglcomp.exe\r\n"));
        ASSERT_TRUE(window.Load(GetModuleHandleA(nullptr)));
        ASSERT_TRUE(recorder.messages.empty());
    }

    void TearDown() override {
        if (window.hwnd()) DestroyWindow(window.hwnd());
        // Leaves no WM_QUIT or stray window messages to the next test.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        DeleteFileA(SettingsFilePath().c_str());
    }

    HWND Control(int id) const { return GetDlgItem(window.hwnd(), id); }
    void Command(int id) { SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    LRESULT Check(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0); }
    void ExpectInitialContent();

    MessageRecorder recorder;
    MainWindow window{recorder.Sink()};
};

constexpr int kSingleTypeIds[] = {IDC_Exec_Beacon,  IDC_Exec_Effects,  IDC_Exec_GenBuild, IDC_Exec_Library,
                                  IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks};
constexpr int kCoordinateIds[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum,
                                  IDC_longitudemaximum};

inline void MainWindowTest::ExpectInitialContent() {
    for (int id : kCoordinateIds) EXPECT_EQ(WindowText(Control(id)), "") << id;
    EXPECT_EQ(WindowText(Control(IDC_txtoutput)), "");
    EXPECT_EQ(Check(IDC_Exec_All), BST_UNCHECKED);
    for (int id : kSingleTypeIds) {
        EXPECT_EQ(Check(id), BST_UNCHECKED) << id;
        EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
    }
    EXPECT_EQ(Check(IDC_DelSRC), BST_CHECKED);
}
