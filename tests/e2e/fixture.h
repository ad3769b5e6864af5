#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "golden_texts.h"
#include "ui/resource.h"

// The Zonewright.exe under test, as found by main().
const std::string& ZonewrightExe();
void SetZonewrightExe(const std::string& path);

// The stand-in compiler bglcomp.exe of the build, as found by main(); "" when there is none.
const std::string& StandInCompiler();
void SetStandInCompiler(const std::string& path);

// A settings file that names the compiler, so the program starts without its warning.
extern const char* const kCompilerSettings;

// Waits for the start-up warning, checks that it comes before the main window is shown and
// reads as it should, and closes it.
::testing::AssertionResult WarningBeforeMainWindow(const e2e::Zonewright& program);

// Zonewright started in a fresh folder, with its main window at hand.
class ZonewrightTest : public ::testing::Test {
protected:
    // Starts a new program with kCompilerSettings and waits for its main window.
    ::testing::AssertionResult StartReady();
    // For a program started by the test itself: waits for its main window.
    ::testing::AssertionResult AwaitMainWindow();
    // Leaves the program through File > Exit and starts it again in the same folder; the
    // caller waits for what comes first.
    ::testing::AssertionResult Restart();

    HWND Item(int id) const { return GetDlgItem(main_, id); }
    ::testing::AssertionResult Type(int id, const std::string& text);
    // Posted like a user's action, then settled: its effect is in place on return.
    ::testing::AssertionResult ClickItem(int id);
    ::testing::AssertionResult Command(int id);
    ::testing::AssertionResult Settle();

    // Types the coordinates of kWindsocksDocument and ticks Windsocks.
    ::testing::AssertionResult FillWindsocksArea();

    // Waits for the common file dialog the main window opens over itself.
    ::testing::AssertionResult AwaitFileDialog(HWND& dialog);
    // Answers it with the file and returns once the program has handled the outcome. A Save
    // dialog asks whether to replace the file exactly when it exists: the question is answered
    // Yes. An Open dialog asks nothing.
    enum class Dialog { Open, Save };
    ::testing::AssertionResult FinishFileDialog(HWND dialog, const std::string& file, Dialog kind);
    // Cancels it, and returns once the program has handled that.
    ::testing::AssertionResult CancelFileDialog(HWND dialog);

    // The message boxes that follow, in order, one at a time, each closed with OK; and then
    // no further box.
    ::testing::AssertionResult ExpectMessages(const std::vector<std::string>& texts);

    std::optional<e2e::Zonewright> program_;
    HWND main_ = nullptr;
};
