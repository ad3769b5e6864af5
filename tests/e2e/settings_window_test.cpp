// The settings window: what it shows, what OK, Cancel and the close box leave in the settings
// file, Browse, a file that cannot be replaced, the keyboard, and the next start of the program.

#include <windows.h>

#include "fixture.h"

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const char* const kSettingsFile = "ZonewrightV2.ini";
const char* const kSdkCompiler = "C:\\Program Files\\Microsoft Games\\FS9 SDK\\bglcomp.exe";
// Other sections and keys beside the setting, which the window does not keep.
const char* const kCrowdedSettings =
    "[Other]\r\nkeep=1\r\n\r\n[DEFAULT]\r\nLASTFILE=C:\\scenery\\area.zwp\r\nBGLCOMP=D:\\old SDK\\bglcomp.exe\r\n"
    "\r\n[More]\r\ny=2\r\n";
const char* const kCrowdedCompiler = "D:\\old SDK\\bglcomp.exe";

// What OK leaves in the settings file: this and nothing else.
std::string StoredSetting(const std::string& compiler) { return "[DEFAULT]\r\nBGLCOMP=" + compiler + "\r\n"; }

using e2e::FolderEntries;
using e2e::ListedFiles;
using e2e::ReasonsTheFileIsLocked;

class SettingsWindowTest : public ZonewrightTest {
protected:
    // Starts a new program with these settings (none: no settings file) and waits for its main
    // window, closing the start-up warning first when one is expected.
    AssertionResult StartWith(const std::optional<std::string>& settings, bool warning) {
        main_ = nullptr;
        settings_ = nullptr;
        program_.reset();
        program_.emplace(ZonewrightExe(), settings);
        if (!program_->prepared() || !program_->Start()) return AssertionFailure() << program_->failure();
        if (warning) {
            if (AssertionResult warned = WarningBeforeMainWindow(*program_); !warned) return warned;
        }
        if (AssertionResult ready = AwaitMainWindow(); !ready) return ready;
        // The warning would have come before the main window was shown.
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        return AssertionSuccess();
    }

    // Settings on the menu bar: the one settings window opens over the disabled main window.
    AssertionResult OpenSettings() {
        if (!e2e::PostCommand(main_, ID_menuSettings)) return AssertionFailure() << "could not send Settings";
        settings_ = program_->WaitForSettingsWindow();
        if (!settings_) return AssertionFailure() << "the settings window did not appear";
        if (AssertionResult settled = Settle(); !settled) return settled;
        if (program_->FindSettingsWindows().size() != 1) {
            return AssertionFailure() << program_->FindSettingsWindows().size() << " settings windows are open";
        }
        if (IsWindowEnabled(main_)) return AssertionFailure() << "the main window is enabled";
        return AssertionSuccess();
    }

    HWND Control(int id) const { return GetDlgItem(settings_, id); }
    std::string CompilerText() const { return e2e::GetText(Control(IDC_Options_Text1)); }
    AssertionResult TypeCompiler(const std::string& text) {
        if (!e2e::SetText(Control(IDC_Options_Text1), text)) return AssertionFailure() << "could not type " << text;
        return AssertionSuccess();
    }

    // Waits until the settings window is gone and checks that the main window is enabled again
    // with no message shown.
    AssertionResult AwaitClosed() {
        if (!e2e::WaitUntil([&] { return !IsWindow(settings_); })) {
            return AssertionFailure() << "the settings window is still open";
        }
        settings_ = nullptr;
        if (AssertionResult settled = Settle(); !settled) return settled;
        if (!IsWindowEnabled(main_)) return AssertionFailure() << "the main window stays disabled";
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        return AssertionSuccess();
    }

    // Checks that the settings window is still open over the disabled main window.
    AssertionResult StillOpen() const {
        if (!IsWindow(settings_) || !IsWindowVisible(settings_)) return AssertionFailure() << "the window closed";
        if (IsWindowEnabled(main_)) return AssertionFailure() << "the main window is enabled";
        return AssertionSuccess();
    }

    // Presses "..." and waits for the file dialog it opens over the settings window.
    AssertionResult OpenBrowse(HWND& dialog) {
        dialog = nullptr;
        if (!e2e::Click(Control(IDC_Options_Command1))) return AssertionFailure() << "could not click \"...\"";
        return AwaitBrowse(dialog);
    }
    AssertionResult AwaitBrowse(HWND& dialog) {
        if (!e2e::WaitUntil([&] {
                const std::vector<HWND> dialogs = e2e::FindOwnedWindows(settings_, "#32770");
                dialog = dialogs.empty() ? nullptr : dialogs.front();
                return dialog && IsWindowVisible(dialog);
            })) {
            return AssertionFailure() << "no file dialog appeared over the settings window";
        }
        return AssertionSuccess();
    }

    // Answers the file dialog with the file (or cancels it when there is none) and returns
    // once the settings window has taken the outcome.
    AssertionResult FinishBrowse(HWND dialog, const std::optional<std::string>& file) {
        if (!(file ? e2e::AnswerFileDialog(dialog, *file) : e2e::CancelFileDialog(dialog))) {
            return AssertionFailure() << "could not answer the file dialog";
        }
        if (!e2e::WaitUntil([&] { return !IsWindow(dialog); })) return AssertionFailure() << "the dialog stays open";
        return Settle();
    }

    // Brings the settings window to the front and waits until this control has the focus.
    AssertionResult AwaitFocus(int id) {
        HWND focus = nullptr;
        if (!e2e::WaitUntil([&] { return (focus = e2e::FocusOf(settings_)) == Control(id); })) {
            return AssertionFailure() << "the focus is on control " << GetDlgCtrlID(focus) << ", not on " << id;
        }
        return AssertionSuccess();
    }
    AssertionResult Press(std::initializer_list<WORD> keys) {
        if (!e2e::PressKeys(settings_, keys)) return AssertionFailure() << "could not press keys";
        return AssertionSuccess();
    }

    std::optional<std::string> SettingsBytes() const { return e2e::ReadFileBytes(program_->Path(kSettingsFile)); }

    HWND settings_ = nullptr;

    // The program ends before the folder goes: its file dialogs make their folder its current
    // one, and a folder that is a process's current folder cannot be removed.
    void TearDown() override { program_.reset(); }

    // Where the tests keep the files they browse to.
    TestFolder tools_;
};

TEST_F(SettingsWindowTest, OpensWithTheStoredCompilerOverTheDisabledMainWindow) {
    struct Case {
        const char* name;
        std::optional<std::string> settings;
        bool warning;
        const char* shown;
    };
    const Case cases[] = {
        {"no settings file", std::nullopt, true, ""},
        {"empty value", "[DEFAULT]\r\nBGLCOMP=\r\n", true, ""},
        {"path with blanks", StoredSetting(kSdkCompiler), false, kSdkCompiler},
        {"among other sections and keys", kCrowdedSettings, false, kCrowdedCompiler},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartWith(c.settings, c.warning));
        ASSERT_TRUE(OpenSettings());
        EXPECT_EQ(CompilerText(), c.shown);
        EXPECT_TRUE(AwaitFocus(IDC_Options_Command2));
        // Opening reads the file and changes nothing in it.
        EXPECT_EQ(SettingsBytes(), c.settings.value_or(""));
    }
}

TEST_F(SettingsWindowTest, OkWritesExactlyTheOneSettingAndClosesTheWindow) {
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::optional<std::string> typed;  // none: OK on the text as it opened
        std::string stored;
    };
    const Case cases[] = {
        {"typed where no file was", std::nullopt, kSdkCompiler, kSdkCompiler},
        {"typed over other sections and keys", kCrowdedSettings, kSdkCompiler, kSdkCompiler},
        {"unchanged text over other sections and keys", kCrowdedSettings, std::nullopt, kCrowdedCompiler},
        {"emptied", StoredSetting(kSdkCompiler), "", ""},
        {"blanks at both ends", StoredSetting(kSdkCompiler), "  C:\\SDK\\bglcomp.exe  ", "  C:\\SDK\\bglcomp.exe  "},
        {"closing brackets, equals signs and semicolons", kCrowdedSettings, "C:\\x]\\a=b;c.exe", "C:\\x]\\a=b;c.exe"},
        // The writer tidies control characters off the end of the file, the value's last included.
        {"a tab at the end", std::nullopt, "C:\\SDK\\bglcomp.exe\t", "C:\\SDK\\bglcomp.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool warning = !c.before || c.before->find("BGLCOMP=\r\n") != std::string::npos;
        ASSERT_TRUE(StartWith(c.before, warning));
        ASSERT_TRUE(OpenSettings());
        if (c.typed) {
            ASSERT_TRUE(TypeCompiler(*c.typed));
        }
        ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command2)));
        ASSERT_TRUE(AwaitClosed());
        EXPECT_EQ(SettingsBytes(), StoredSetting(c.stored));
        // Nothing else is left beside the program.
        EXPECT_EQ(FolderEntries(program_->Path("")),
                  (std::vector<std::string>{"Zonewright.exe", kSettingsFile, "elsewhere"}));
    }
}

TEST_F(SettingsWindowTest, TheNextStartFollowsWhatOkStored) {
    struct Case {
        const char* name;
        std::optional<std::string> before;
        bool warningBefore;
        std::string typed;
        bool warningAfter;
    };
    const Case cases[] = {
        {"set where none was", std::nullopt, true, kSdkCompiler, false},
        {"set over an empty value", "[DEFAULT]\r\nBGLCOMP=\r\n", true, "D:\\bglcomp.exe", false},
        {"emptied", StoredSetting(kSdkCompiler), false, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartWith(c.before, c.warningBefore));
        ASSERT_TRUE(OpenSettings());
        ASSERT_TRUE(TypeCompiler(c.typed));
        ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command2)));
        ASSERT_TRUE(AwaitClosed());

        // The same program in the same folder, started anew.
        ASSERT_TRUE(Restart());
        if (c.warningAfter) {
            ASSERT_TRUE(WarningBeforeMainWindow(*program_));
        }
        ASSERT_TRUE(AwaitMainWindow());
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        ASSERT_TRUE(OpenSettings());
        EXPECT_EQ(CompilerText(), c.typed);
        EXPECT_EQ(SettingsBytes(), StoredSetting(c.typed));
    }
}

TEST_F(SettingsWindowTest, CancelAndTheCloseBoxWriteNothing) {
    const std::string chosen = tools_.Path("my compiler.exe");
    ASSERT_TRUE(e2e::WriteFileBytes(chosen, "MZ"));

    struct Way {
        const char* name;
        bool (*close)(HWND settings);
    };
    const Way ways[] = {
        {"Cancel", [](HWND settings) { return e2e::Click(GetDlgItem(settings, IDC_Options_Command3)); }},
        {"WM_CLOSE", [](HWND settings) { return PostMessageA(settings, WM_CLOSE, 0, 0) != FALSE; }},
        {"close box", [](HWND settings) { return PostMessageA(settings, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }},
    };
    ASSERT_TRUE(StartWith(kCrowdedSettings, false));
    for (const Way& way : ways) {
        for (bool browse : {false, true}) {
            SCOPED_TRACE(::testing::Message() << way.name << (browse ? " after Browse" : " after typing"));
            // Every opening shows the value that was there before.
            ASSERT_TRUE(OpenSettings());
            EXPECT_EQ(CompilerText(), kCrowdedCompiler);
            if (browse) {
                HWND dialog = nullptr;
                ASSERT_TRUE(OpenBrowse(dialog));
                ASSERT_TRUE(FinishBrowse(dialog, chosen));
                ASSERT_EQ(CompilerText(), chosen);
            } else {
                ASSERT_TRUE(TypeCompiler(kSdkCompiler));
            }
            ASSERT_TRUE(way.close(settings_));
            ASSERT_TRUE(AwaitClosed());
            EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
        }
    }
}

TEST_F(SettingsWindowTest, BrowseFillsInTheChosenFileOrKeepsTheText) {
    const std::string sdk = tools_.Path("SDK tools");
    ASSERT_TRUE(CreateDirectoryA(sdk.c_str(), nullptr));
    const std::string chosen = sdk + "\\my compiler.exe";
    for (const char* name : {"my compiler.exe", "bglcomp.exe", "readme.txt"}) {
        ASSERT_TRUE(e2e::WriteFileBytes(sdk + "\\" + name, "MZ"));
    }
    const std::string typed = "D:\\typed by hand\\bglcomp.exe";

    ASSERT_TRUE(StartWith(kCrowdedSettings, false));
    ASSERT_TRUE(OpenSettings());
    ASSERT_TRUE(TypeCompiler(typed));

    HWND dialog = nullptr;
    ASSERT_TRUE(OpenBrowse(dialog));
    // Modal over the settings window, which stays over the disabled main window.
    EXPECT_FALSE(IsWindowEnabled(settings_));
    EXPECT_FALSE(IsWindowEnabled(main_));
    // One file type, which lists the programs alone.
    EXPECT_EQ(e2e::FileTypes(dialog), std::vector<std::string>{"BGLComp Program (bglcomp.exe)"});
    ASSERT_TRUE(e2e::AnswerFileDialog(dialog, sdk));
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindow(dialog) && ListedFiles(dialog) == 2; }))
        << ListedFiles(dialog) << " files listed";
    ASSERT_TRUE(FinishBrowse(dialog, std::nullopt));
    ASSERT_TRUE(StillOpen());
    EXPECT_TRUE(IsWindowEnabled(settings_));
    EXPECT_EQ(CompilerText(), typed);

    ASSERT_TRUE(OpenBrowse(dialog));
    ASSERT_TRUE(FinishBrowse(dialog, chosen));
    ASSERT_TRUE(StillOpen());
    EXPECT_EQ(CompilerText(), chosen);
    EXPECT_EQ(SettingsBytes(), kCrowdedSettings);

    ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command2)));
    ASSERT_TRUE(AwaitClosed());
    EXPECT_EQ(SettingsBytes(), StoredSetting(chosen));
}

TEST_F(SettingsWindowTest, ASettingsFileThatCannotBeReplacedKeepsTheWindowOpen) {
    ASSERT_TRUE(StartWith(kCrowdedSettings, false));
    ASSERT_TRUE(OpenSettings());
    ASSERT_TRUE(TypeCompiler(kSdkCompiler));
    const std::string path = program_->Path(kSettingsFile);
    {
        // Held open without sharing: the file can be neither replaced nor written.
        UniqueHandle lock(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command2)));
        HWND box = program_->WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        const std::string text = e2e::MessageBoxText(box);
        const std::string opening = "The settings could not be saved to";
        EXPECT_EQ(text.substr(0, opening.size()), opening) << text;
        const size_t named = text.find(path);
        EXPECT_NE(named, std::string::npos) << text;
        // The system's reason: the one it gives for writing the file or for replacing it.
        const std::vector<std::string> reasons = ReasonsTheFileIsLocked(path, kCrowdedSettings);
        ASSERT_EQ(reasons.size(), 2u);
        EXPECT_TRUE(text.find(reasons[0]) != std::string::npos || text.find(reasons[1]) != std::string::npos)
            << text << "\nnames neither \"" << reasons[0] << "\" nor \"" << reasons[1] << "\"";
        EXPECT_TRUE(StillOpen());
        ASSERT_TRUE(e2e::CloseMessageBox(box));
        ASSERT_TRUE(Settle());
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        EXPECT_TRUE(StillOpen());
        EXPECT_EQ(CompilerText(), kSdkCompiler);
    }
    ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command3)));
    ASSERT_TRUE(AwaitClosed());
    EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
    EXPECT_EQ(FolderEntries(program_->Path("")),
              (std::vector<std::string>{"Zonewright.exe", kSettingsFile, "elsewhere"}));
}

// The settings file's reader takes a line with "[" for the end of the section: such a location
// would be stored, never read back, and every start would warn.
TEST_F(SettingsWindowTest, ALocationWithAnOpeningBracketIsRefusedAndNothingWritten) {
    ASSERT_TRUE(StartWith(kCrowdedSettings, false));
    ASSERT_TRUE(OpenSettings());
    const std::string location = "C:\\FS9 [SDK]\\bglcomp.exe";
    ASSERT_TRUE(TypeCompiler(location));
    ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command2)));
    HWND box = program_->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), settings_);
    EXPECT_EQ(e2e::MessageBoxText(box), "The compiler location \"" + location +
                                            "\" cannot be stored: the settings file cannot hold a \"[\" or a line "
                                            "break in it.\r\nMove the compiler to a folder whose path has no \"[\".");
    ASSERT_TRUE(e2e::CloseMessageBox(box));
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(StillOpen());
    EXPECT_EQ(CompilerText(), location);
    EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
    ASSERT_TRUE(e2e::Click(Control(IDC_Options_Command3)));
    ASSERT_TRUE(AwaitClosed());
}

TEST_F(SettingsWindowTest, EnterPressesTheFocusedButtonAndNothingElse) {
    const std::string chosen = tools_.Path("my compiler.exe");
    ASSERT_TRUE(e2e::WriteFileBytes(chosen, "MZ"));

    enum class Effect { Saves, ClosesUnsaved, Browses, Nothing };
    struct Case {
        const char* name;
        int tabs;  // from OK, which has the focus at opening
        int focused;
        Effect effect;
    };
    const Case cases[] = {
        {"OK, as at opening", 0, IDC_Options_Command2, Effect::Saves},
        {"Cancel", 1, IDC_Options_Command3, Effect::ClosesUnsaved},
        {"the text box", 2, IDC_Options_Text1, Effect::Nothing},
        {"\"...\"", 3, IDC_Options_Command1, Effect::Browses},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartWith(kCrowdedSettings, false));
        ASSERT_TRUE(OpenSettings());
        ASSERT_TRUE(AwaitFocus(IDC_Options_Command2));
        for (int i = 0; i < c.tabs; ++i) ASSERT_TRUE(Press({VK_TAB}));
        ASSERT_TRUE(AwaitFocus(c.focused));
        ASSERT_TRUE(Press({VK_RETURN}));
        switch (c.effect) {
        case Effect::Saves:
            ASSERT_TRUE(AwaitClosed());
            EXPECT_EQ(SettingsBytes(), StoredSetting(kCrowdedCompiler));
            break;
        case Effect::ClosesUnsaved:
            ASSERT_TRUE(AwaitClosed());
            EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
            break;
        case Effect::Browses: {
            HWND dialog = nullptr;
            ASSERT_TRUE(AwaitBrowse(dialog));
            ASSERT_TRUE(FinishBrowse(dialog, chosen));
            ASSERT_TRUE(StillOpen());
            EXPECT_EQ(CompilerText(), chosen);
            EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
            break;
        }
        case Effect::Nothing:
            // Keystrokes are handled in order: once Tab has moved the focus on, Enter was handled.
            ASSERT_TRUE(Press({VK_TAB}));
            ASSERT_TRUE(e2e::WaitUntil([&] {
                return !IsWindow(settings_) || e2e::FocusOf(settings_) == Control(IDC_Options_Command1);
            }));
            ASSERT_TRUE(StillOpen());
            EXPECT_EQ(program_->FindMessageBox(), nullptr);
            EXPECT_TRUE(e2e::FindOwnedWindows(settings_, "#32770").empty());
            EXPECT_EQ(CompilerText(), kCrowdedCompiler);
            EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
            break;
        }
    }
}

TEST_F(SettingsWindowTest, EscapeDoesNothingWhereverTheFocusIs) {
    ASSERT_TRUE(StartWith(kCrowdedSettings, false));
    ASSERT_TRUE(OpenSettings());
    ASSERT_TRUE(AwaitFocus(IDC_Options_Command2));
    // Round the tab order: Escape at each control, then Tab on to the next.
    const int order[] = {IDC_Options_Command3, IDC_Options_Text1, IDC_Options_Command1, IDC_Options_Command2};
    for (int next : order) {
        SCOPED_TRACE(next);
        ASSERT_TRUE(Press({VK_ESCAPE}));
        ASSERT_TRUE(Press({VK_TAB}));
        // Keystrokes are handled in order: once Tab has moved the focus on, Escape was handled.
        ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(settings_) || e2e::FocusOf(settings_) == Control(next); }));
        ASSERT_TRUE(StillOpen());
    }
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
    EXPECT_EQ(CompilerText(), kCrowdedCompiler);
    EXPECT_EQ(SettingsBytes(), kCrowdedSettings);
}

TEST_F(SettingsWindowTest, WhatIsTypedOnTheKeyboardIsStored) {
    ASSERT_TRUE(StartWith(StoredSetting("C:\\SDK\\bglcomp"), false));
    ASSERT_TRUE(OpenSettings());
    ASSERT_TRUE(AwaitFocus(IDC_Options_Command2));
    ASSERT_TRUE(Press({VK_TAB}));
    ASSERT_TRUE(Press({VK_TAB}));
    ASSERT_TRUE(AwaitFocus(IDC_Options_Text1));
    // At the end of the text: Enter there does nothing, then ".exe" is typed.
    ASSERT_TRUE(Press({VK_END}));
    ASSERT_TRUE(Press({VK_RETURN}));
    for (WORD key : {WORD(VK_OEM_PERIOD), WORD('E'), WORD('X'), WORD('E')}) ASSERT_TRUE(Press({key}));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(settings_) || CompilerText() == "C:\\SDK\\bglcomp.exe"; }))
        << CompilerText();
    ASSERT_TRUE(StillOpen());
    EXPECT_EQ(SettingsBytes(), StoredSetting("C:\\SDK\\bglcomp"));
    // Back round to OK, and Enter there.
    ASSERT_TRUE(Press({VK_SHIFT, VK_TAB}));
    ASSERT_TRUE(Press({VK_SHIFT, VK_TAB}));
    ASSERT_TRUE(AwaitFocus(IDC_Options_Command2));
    ASSERT_TRUE(Press({VK_RETURN}));
    ASSERT_TRUE(AwaitClosed());
    EXPECT_EQ(SettingsBytes(), StoredSetting("C:\\SDK\\bglcomp.exe"));
}

}  // namespace
