// Faults from outside the program, end to end: files it must write held by another program (as
// a read-only program folder would be; Wine as root ignores read-only attributes), a settings
// file that is a folder or 10 MB long, a compiler on a drive that does not exist, a folder for an
// XML name, and FSConnect vanishing while the program waits for its answer. Each time the window
// must stay usable, the user must be told what failed, and no file that held the user's data may
// be lost or cut short. An FSConnect that hangs or answers garbage is covered in capture_test.cpp.

#include <windows.h>

#include <functional>

#include "capture_support.h"

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;
using namespace capture;

const char* const kSettingsFile = "ZonewrightV2.ini";
const char* const kBatchFile = "Zonewright.bat";
const char* const kTypedCompiler = "D:\\SDK\\bglcomp.exe";
const char* const kProjectBefore = "[area]\r\nlatitudemaximum=N1\r\nlongitudeminimum=W2\r\n";

std::string StoredSetting(const std::string& compiler) {
    return "[DEFAULT]\r\nBGLCOMP=" + compiler + "\r\n";
}
std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// Holds a file open without sharing, as another program may: it can be neither read, written nor
// replaced until it is released.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : handle_(std::in_place, CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool held() const { return handle_ && *handle_; }
    void Release() { handle_.reset(); }

private:
    std::optional<UniqueHandle> handle_;
};

// The names in a folder that end in ".tmp": what an interrupted replacement would leave.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& name : e2e::FolderEntries(folder)) {
        if (name.size() >= 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".tmp") == 0) found.push_back(name);
    }
    return found;
}

// The system's description of why a file cannot take the place of a folder.
std::string ReasonAFolderCannotBeReplaced() {
    TestFolder scratch;
    const std::string folder = scratch.Path("folder");
    const std::string file = scratch.Path("file");
    if (!CreateDirectoryA(folder.c_str(), nullptr) || !e2e::WriteFileBytes(file, "x")) return "(no scratch files)";
    if (MoveFileExA(file.c_str(), folder.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return "(a file replaced a folder)";
    }
    return e2e::SystemMessage(GetLastError());
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class FaultInjectionTest : public FsconnectTest {
protected:
    // Starts a new program with these settings (none: no settings file; or a folder made in its
    // place first, or a file held from before the start) and waits for its main window, after
    // the start-up warning when one must come first.
    AssertionResult StartWith(const std::optional<std::string>& settings, bool warning,
                              const std::function<AssertionResult()>& prepare = nullptr) {
        main_ = nullptr;
        program_.reset();
        program_.emplace(ZonewrightExe(), settings);
        if (!program_->prepared()) return AssertionFailure() << program_->failure();
        if (prepare) {
            if (AssertionResult prepared = prepare(); !prepared) return prepared;
        }
        if (!program_->Start()) return AssertionFailure() << program_->failure();
        if (warning) {
            if (AssertionResult warned = WarningBeforeMainWindow(*program_); !warned) return warned;
        }
        if (AssertionResult ready = AwaitMainWindow(); !ready) return ready;
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        return AssertionSuccess();
    }

    // Settings on the menu bar; the window opens showing this compiler location.
    AssertionResult OpenSettings(const std::string& shown) {
        if (!e2e::PostCommand(main_, ID_menuSettings)) return AssertionFailure() << "could not send Settings";
        settings_ = program_->WaitForSettingsWindow();
        if (!settings_) return AssertionFailure() << "the settings window did not appear";
        if (AssertionResult settled = Settle(); !settled) return settled;
        const std::string text = e2e::GetText(GetDlgItem(settings_, IDC_Options_Text1));
        if (text != shown) return AssertionFailure() << "the settings window shows \"" << text << "\"";
        return AssertionSuccess();
    }
    AssertionResult TypeCompiler(const std::string& text) {
        if (!e2e::SetText(GetDlgItem(settings_, IDC_Options_Text1), text)) return AssertionFailure() << "typing";
        return AssertionSuccess();
    }
    AssertionResult PressInSettings(int id) {
        if (!e2e::Click(GetDlgItem(settings_, id))) return AssertionFailure() << "could not press " << id;
        return AssertionSuccess();
    }
    // Waits until the settings window has closed, with no message.
    AssertionResult SettingsClosed() {
        if (!e2e::WaitUntil([&] { return !IsWindow(settings_); })) return AssertionFailure() << "Settings stays open";
        settings_ = nullptr;
        if (AssertionResult settled = Settle(); !settled) return settled;
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        return AssertionSuccess();
    }
    // Cancel, after a failed OK left the settings window open.
    AssertionResult CancelSettings() {
        if (!IsWindow(settings_) || !IsWindowVisible(settings_)) return AssertionFailure() << "Settings closed";
        if (AssertionResult pressed = PressInSettings(IDC_Options_Command3); !pressed) return pressed;
        return SettingsClosed();
    }

    // The program's report of a failed file operation, over this owner: the opening naming the
    // file, an empty line, one of the system's reasons, and the closing (if any) on a line of
    // its own; the exclamation icon. Closed with OK; no further message follows.
    AssertionResult ExpectFailureReport(HWND owner, const std::string& opening, const std::vector<std::string>& reasons,
                                        const std::string& closing) {
        HWND box = nullptr;
        if (!e2e::WaitUntil([&] { return (box = program_->FindMessageBox()) != nullptr && IsWindowVisible(box); })) {
            return AssertionFailure() << "no message came: " << opening;
        }
        const std::string text = e2e::MessageBoxText(box);
        const HWND boxOwner = GetWindow(box, GW_OWNER);
        std::string icon;
        e2e::WaitUntil([&] { return (icon = e2e::MessageBoxIcon(box)) == "exclamation"; });
        if (!e2e::CloseMessageBox(box)) return AssertionFailure() << "the message did not close";
        if (boxOwner != owner) return AssertionFailure() << "the message has another owner";
        if (icon != "exclamation") return AssertionFailure() << "the message shows the icon \"" << icon << "\"";
        const std::string ending = closing.empty() ? "" : "\r\n" + closing;
        if (text.compare(0, opening.size(), opening) != 0 || text.size() < opening.size() + ending.size() ||
            text.compare(text.size() - ending.size(), ending.size(), ending) != 0) {
            return AssertionFailure() << "the message reads:\n"
                                      << text << "\nexpected:\n"
                                      << opening << " ... " << closing;
        }
        std::string reason = text.substr(opening.size(), text.size() - opening.size() - ending.size());
        if (reason.compare(0, 4, "\r\n\r\n") != 0) return AssertionFailure() << "no empty line after: " << opening;
        reason.erase(0, reason.find_first_not_of("\r\n"));
        reason.erase(reason.find_last_not_of("\r\n") + 1);
        bool known = false;
        for (const std::string& candidate : reasons) known = known || reason == candidate;
        if (!known) {
            auto failure = AssertionFailure() << "the reason \"" << reason << "\" is none of:";
            for (const std::string& candidate : reasons) failure << " \"" << candidate << "\"";
            return failure;
        }
        if (AssertionResult settled = Settle(); !settled) return settled;
        if (HWND extra = program_->FindMessageBox()) {
            return AssertionFailure() << "a further message: " << e2e::MessageBoxText(extra);
        }
        return AssertionSuccess();
    }

    // Presses "Save source and generate .bgl" and answers its dialog with this file.
    AssertionResult SaveSource(const std::string& xml) {
        if (!e2e::Click(Item(IDC_save))) return AssertionFailure() << "could not click Save";
        HWND dialog = nullptr;
        if (AssertionResult opened = AwaitFileDialog(dialog); !opened) return opened;
        return FinishFileDialog(dialog, xml, Dialog::Save);
    }
    // File > Save or File > Open, answered with this file.
    AssertionResult ThroughMenu(int command, const std::string& file) {
        if (!e2e::PostCommand(main_, command)) return AssertionFailure() << "could not send " << command;
        HWND dialog = nullptr;
        if (AssertionResult opened = AwaitFileDialog(dialog); !opened) return opened;
        return FinishFileDialog(dialog, file, command == ID_menuSave ? Dialog::Save : Dialog::Open);
    }

    // Ticks or clears "Delete source after compilation?" (ticked at the start).
    AssertionResult DeleteSource(bool tick) {
        if (!e2e::SetCheck(Item(IDC_DelSRC), tick ? BST_CHECKED : BST_UNCHECKED)) return AssertionFailure() << "DelSRC";
        return AssertionSuccess();
    }

    HWND settings_ = nullptr;
    // The user's own files: projects and XML sources.
    TestFolder data_;
};

TEST_F(FaultInjectionTest, AFileHeldByAnotherProgramIsReportedAndKeptWhole) {
    struct Case {
        const char* name;
        std::function<std::string()> file;                       // the file that is held
        std::string before;                                      // its bytes
        std::function<AssertionResult()> prepare;                // with the program ready, before the file is held
        std::function<AssertionResult()> act;                    // what fails
        std::function<HWND()> owner;                             // of the report
        std::function<std::string(const std::string&)> opening;  // of the report, for the file
        std::string closing;
        std::function<AssertionResult()> after;  // once the report is closed, the file still held
        std::string reason = "";                 // the report's; "" for the system's
    };
    const std::string xml = data_.Path("area.xml");
    const std::string project = data_.Path("area.exc");
    const Boxes typed = {"47.5", "-122.5", "47.25", "-122.25"};
    const Case cases[] = {
        {"the settings file, on OK in the settings window", [&] { return program_->Path(kSettingsFile); },
         kCompilerSettings,
         [&] {
             if (AssertionResult opened = OpenSettings("C:\\FS2004\\SDK\\bglcomp.exe"); !opened) return opened;
             return TypeCompiler(kTypedCompiler);
         },
         [&] { return PressInSettings(IDC_Options_Command2); }, [&] { return settings_; },
         [](const std::string& file) { return "The settings could not be saved to \"" + file + "\"."; },
         "The settings file is unchanged.",
         // The window stays open with the typed text, to be tried again or cancelled.
         [&] {
             const std::string text = e2e::GetText(GetDlgItem(settings_, IDC_Options_Text1));
             if (text != kTypedCompiler) return AssertionFailure() << "the settings window shows " << text;
             return CancelSettings();
         }},
        {"the batch file, on Save source and generate .bgl", [&] { return program_->Path(kBatchFile); },
         "old batch\r\n", [&] { return StillWorks(); }, [&] { return SaveSource(xml); }, [&] { return main_; },
         [](const std::string& file) { return "The batch file could not be written: \"" + file + "\"."; },
         "The XML source was saved, but the compiler was not started.",
         [&] {
             // The source is saved whole, and nothing was started.
             const std::optional<std::string> saved = e2e::ReadFileBytes(xml);
             if (saved != std::string(kWindsocksDocument) + "\r\n") {
                 return AssertionFailure() << "the XML file holds " << saved.value_or("(nothing)");
             }
             if (!program_->ChildProcesses().empty()) return AssertionFailure() << "a process was started";
             return AssertionSuccess();
         },
         "It is in use: another copy of Zonewright is most likely compiling with it. Save again once that compile "
         "has finished."},
        {"the project file, on File > Save", [&] { return project; }, kProjectBefore, [&] { return TypeBoxes(typed); },
         [&] { return ThroughMenu(ID_menuSave, project); }, [&] { return main_; },
         [](const std::string& file) { return "The project could not be saved completely to \"" + file + "\"."; }, "",
         [&] {
             if (Shown() != typed) return AssertionFailure() << "the boxes changed";
             return AssertionSuccess();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartWith(kCompilerSettings, false));
        const std::string file = c.file();
        ASSERT_TRUE(e2e::WriteFileBytes(file, c.before));
        ASSERT_TRUE(c.prepare());
        HeldFile held(file);
        ASSERT_TRUE(held.held());
        const std::vector<std::string> reasons = e2e::ReasonsTheFileIsLocked(file, c.before);
        ASSERT_EQ(reasons.size(), 2u);
        ASSERT_TRUE(c.act());
        EXPECT_TRUE(ExpectFailureReport(c.owner(), c.opening(file), c.reason.empty() ? reasons : std::vector{c.reason},
                                        c.closing));
        EXPECT_TRUE(c.after());
        held.Release();
        EXPECT_EQ(e2e::ReadFileBytes(file), c.before);
        EXPECT_EQ(Leftovers(program_->Path("")), std::vector<std::string>{});
        EXPECT_EQ(Leftovers(data_.path()), std::vector<std::string>{});
        EXPECT_TRUE(StillWorks());
        // Cleared for the next case.
        program_.reset();
        DeleteFileA(xml.c_str());
    }
}

TEST_F(FaultInjectionTest, AProjectFileHeldOnOpenLoadsNothingAndSaysNothing) {
    const std::string project = data_.Path("area.exc");
    const std::string bytes =
        "[area]\r\nlatitudemaximum=N1\r\nlongitudeminimum=W2\r\nlatitudeminimum=N3\r\n"
        "longitudemaximum=W4\r\n[exclusion]\r\nExc_All=1\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(project, bytes));
    const Boxes typed = {"47.5", "-122.5", "47.25", "-122.25"};
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(TypeBoxes(typed));
    {
        HeldFile held(project);
        ASSERT_TRUE(held.held());
        ASSERT_TRUE(ThroughMenu(ID_menuOpen, project));
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        EXPECT_EQ(Shown(), typed);
        EXPECT_EQ(e2e::GetCheck(Item(IDC_Exec_All)), BST_UNCHECKED);
    }
    EXPECT_EQ(e2e::ReadFileBytes(project), bytes);
    // Released, the same file loads: only the holding stopped it.
    ASSERT_TRUE(ThroughMenu(ID_menuOpen, project));
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
    EXPECT_EQ(Shown(), (Boxes{"N1", "W2", "N3", "W4"}));
    EXPECT_EQ(e2e::GetCheck(Item(IDC_Exec_All)), BST_CHECKED);
    EXPECT_TRUE(StillWorks());
}

TEST_F(FaultInjectionTest, AnUnusualSettingsFileAtStartUpAndInTheSettingsWindow) {
    // 10 MB of other lines, many of them the key in another section, then the setting itself.
    std::string large = "[Other]\r\n";
    const std::string decoy = "BGLCOMP=C:\\not this one\\bglcomp.exe\r\nLASTFILE=C:\\scenery\\area.exc\r\n";
    while (large.size() < 10 * 1024 * 1024) large += decoy;
    const std::string largeCompiler = "D:\\Large SDK\\bglcomp.exe";
    large += "\r\n[DEFAULT]\r\nBGLCOMP=" + largeCompiler + "\r\n";

    std::optional<HeldFile> held;
    struct Case {
        const char* name;
        std::optional<std::string> settings;
        std::function<AssertionResult()> prepare;  // before the start
        bool warning;
        std::string shown;                                  // in the settings window
        std::function<std::vector<std::string>()> reasons;  // why OK fails; none: OK stores the setting
        std::function<AssertionResult()> after;             // once the program is done with the file
    };
    const Case cases[] = {
        {"held by another program", kCompilerSettings,
         [&] {
             held.emplace(program_->Path(kSettingsFile));
             return held->held() ? AssertionSuccess() : AssertionFailure() << "could not hold the settings file";
         },
         true, "", [&] { return e2e::ReasonsTheFileIsLocked(program_->Path(kSettingsFile), kCompilerSettings); },
         [&] {
             held.reset();
             const std::optional<std::string> bytes = e2e::ReadFileBytes(program_->Path(kSettingsFile));
             if (bytes != std::string(kCompilerSettings)) return AssertionFailure() << "the file changed";
             return AssertionSuccess();
         }},
        {"a folder", std::nullopt,
         [&] {
             const std::string folder = program_->Path(kSettingsFile);
             if (!CreateDirectoryA(folder.c_str(), nullptr)) return AssertionFailure() << "could not make " << folder;
             return AssertionSuccess();
         },
         true, "", [] { return std::vector<std::string>{ReasonAFolderCannotBeReplaced()}; },
         [&] {
             const std::string folder = program_->Path(kSettingsFile);
             if (!IsFolder(folder)) return AssertionFailure() << "the folder is gone";
             if (!e2e::FolderEntries(folder).empty()) return AssertionFailure() << "something was put in the folder";
             return AssertionSuccess();
         }},
        {"10 MB with the setting at the end", large, nullptr, false, largeCompiler, nullptr,
         [&] {
             // OK makes the file anew with the one setting.
             const std::optional<std::string> bytes = e2e::ReadFileBytes(program_->Path(kSettingsFile));
             if (bytes != StoredSetting(largeCompiler)) {
                 return AssertionFailure() << "the file holds " << (bytes ? bytes->size() : 0) << " bytes";
             }
             return AssertionSuccess();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartWith(c.settings, c.warning, c.prepare));
        EXPECT_TRUE(StillWorks());
        ASSERT_TRUE(OpenSettings(c.shown));
        if (c.reasons) {
            ASSERT_TRUE(TypeCompiler(kTypedCompiler));
            const std::vector<std::string> reasons = c.reasons();
            ASSERT_TRUE(PressInSettings(IDC_Options_Command2));
            EXPECT_TRUE(ExpectFailureReport(
                settings_, "The settings could not be saved to \"" + program_->Path(kSettingsFile) + "\".", reasons,
                "The settings file is unchanged."));
            ASSERT_TRUE(CancelSettings());
        } else {
            ASSERT_TRUE(PressInSettings(IDC_Options_Command2));
            ASSERT_TRUE(SettingsClosed());
        }
        EXPECT_TRUE(c.after());
        EXPECT_EQ(Leftovers(program_->Path("")), std::vector<std::string>{});
        EXPECT_TRUE(StillWorks());
        held.reset();
        program_.reset();
    }
}

TEST_F(FaultInjectionTest, ACompilerOnADriveThatDoesNotExistIsReportedAndTheSourceKept) {
    ASSERT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR)) << "Q: is mapped in this Wine prefix";
    const std::string compiler = "Q:\\nowhere\\bglcomp.exe";
    for (const bool deleteSource : {false, true}) {
        SCOPED_TRACE(deleteSource ? "delete source ticked" : "delete source clear");
        ASSERT_TRUE(StartWith(StoredSetting(compiler), false));
        ASSERT_TRUE(StillWorks());
        ASSERT_TRUE(DeleteSource(deleteSource));
        const std::string xml = data_.Path("area.xml");
        ASSERT_TRUE(SaveSource(xml));
        EXPECT_EQ(e2e::ReadFileBytes(program_->Path(kBatchFile)), Quoted(compiler) + " " + Quoted(xml) + "\r\n");
        // The shell's own words on the missing program stand where the compiler's would.
        HWND box = program_->WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        const std::string text = e2e::MessageBoxText(box);
        ASSERT_TRUE(e2e::CloseMessageBox(box));
        // With the shell's exit code for it.
        const std::string opening = "The compiler failed (exit code ";
        const std::string rest =
            "). It did not write \"" + data_.Path("area.bgl") + "\".\r\n\r\nThe compiler printed:\r\n";
        const std::string closing = "\r\n\r\nThe XML source \"" + xml + "\" was kept.";
        EXPECT_EQ(text.rfind(opening, 0), 0u) << text;
        EXPECT_NE(text.find(rest), std::string::npos) << text;
        EXPECT_GT(text.size(), opening.size() + rest.size() + closing.size()) << text;
        EXPECT_EQ(text.substr(text.size() - std::min(text.size(), closing.size())), closing) << text;
        EXPECT_EQ(e2e::ReadFileBytes(xml), std::string(kWindsocksDocument) + "\r\n");
        EXPECT_TRUE(StillWorks());
        program_.reset();
        DeleteFileA(xml.c_str());
    }
}

TEST_F(FaultInjectionTest, AFolderGivenAsTheXmlNameIsNeitherWrittenNorLost) {
    const std::string folder = data_.Path("x.xml");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const char* name : {"a.xml", "b.xml"}) {
        ASSERT_TRUE(e2e::WriteFileBytes(folder + "\\" + name, name));
    }
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(StillWorks());
    const std::vector<std::string> programFiles = e2e::FolderEntries(program_->Path(""));

    ASSERT_TRUE(e2e::Click(Item(IDC_save)));
    HWND dialog = nullptr;
    ASSERT_TRUE(AwaitFileDialog(dialog));
    ASSERT_TRUE(e2e::AnswerFileDialog(dialog, folder));
    // The dialog either takes the folder into its list, or hands its path to the program.
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog) || e2e::ListedFiles(dialog) == 2; }));
    if (IsWindow(dialog)) {
        ASSERT_TRUE(CancelFileDialog(dialog));
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
    } else {
        HWND box = program_->WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        const std::string text = e2e::MessageBoxText(box);
        ASSERT_TRUE(e2e::CloseMessageBox(box));
        const std::string opening = "The XML source could not be saved to \"" + folder + "\".";
        EXPECT_EQ(text.substr(0, opening.size()), opening) << text;
        ASSERT_TRUE(Settle());
    }
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_EQ(e2e::FolderEntries(folder), (std::vector<std::string>{"a.xml", "b.xml"}));
    EXPECT_EQ(e2e::ReadFileBytes(folder + "\\a.xml"), "a.xml");
    EXPECT_EQ(e2e::FolderEntries(data_.path()), std::vector<std::string>{"x.xml"});
    // No batch file was written, nothing started.
    EXPECT_EQ(e2e::FolderEntries(program_->Path("")), programFiles);
    EXPECT_TRUE(program_->ChildProcesses().empty());
    EXPECT_TRUE(StillWorks());
}

TEST_F(FaultInjectionTest, FsconnectVanishingWhileTheReadWaitsGivesTheMessage) {
    struct Case {
        const char* name;
        const char* switches;
        std::function<bool()> end;
        std::vector<std::string> requests;  // as the log tells them
    };
    const Case cases[] = {
        {"its process ended while it waits to answer",
         "--slow 3000 --read-only",
         [&] { return EndProcess(simulator_->processId()); },
         {kStatusRequest}},
        {"its window closed while the answer hangs",
         "--hang --read-only",
         [&] { return simulator_->Close(simulatorWindow_) == 0; },
         {kStatusRequest, ReadRequest(true)}},
    };
    const Boxes typed = {"N47 25' 53.4\"", "W122 30' 0.0\"", "47.25", "-122.25"};
    ASSERT_TRUE(StartReady());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSimulator(c.switches));
        ASSERT_TRUE(TypeBoxes(typed));
        ASSERT_TRUE(e2e::Click(Item(IDC_NW1)));
        // The simulator counts a request as it arrives: the second is the read, now waiting.
        ASSERT_TRUE(e2e::WaitUntil([&] {
            return SimulatorLabel().find("Requests received: 2\r\n") != std::string::npos;
        })) << SimulatorLabel();
        ASSERT_TRUE(c.end());
        EXPECT_EQ(FindWindowA(kFsconnectClass, nullptr), nullptr);
        ASSERT_TRUE(ExpectBoxes({{kCaptureFailed, ""}}, 30000));
        EXPECT_EQ(Shown(), typed);
        EXPECT_EQ(Requests(), c.requests);
        EXPECT_TRUE(StillWorks());
        simulator_.reset();
    }
}

}  // namespace
