// "Save source and generate .bgl": the XML file, the batch file beside the program, the stand-in
// compiler that the batch file starts, and what the program makes of the compiler's outcome.

#include <windows.h>

#include <algorithm>
#include <functional>

#include "fixture.h"

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const char* const kBatchFile = "Zonewright.bat";
const char* const kCompilerLog = "bglcomp.log";
const char* const kBglMarker = "Zonewright stand-in compiler output: not a real BGL file";
const char* const kStillRunning =
    "The compiler is still running on the last source you saved.\r\n\r\nSave again once it has finished.";

std::string Settings(const std::string& compiler) { return "[DEFAULT]\r\nBGLCOMP=" + compiler + "\r\n"; }
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
// A path as the batch file holds it: every % doubled.
std::string Doubled(const std::string& path) {
    std::string doubled;
    for (char c : path) doubled += c == '%' ? std::string("%%") : std::string(1, c);
    return doubled;
}

// What the user is told when the compiler failed with exit code 1, having written no .bgl or
// part of one.
std::string CompileFailed(const std::string& bgl, bool partial, const std::string& printed, const std::string& xml) {
    return "The compiler failed (exit code 1). " +
           (partial ? "The .bgl file \"" + bgl + "\" that it wrote may be incomplete: do not use it."
                    : "It did not write \"" + bgl + "\".") +
           "\r\n\r\nThe compiler printed:\r\n" + printed + "\r\n\r\nThe XML source \"" + xml + "\" was kept.";
}

// How many runs the compiler's log tells the outcome of.
int Outcomes(const std::string& log) {
    int runs = 0;
    for (size_t start = 0; start < log.size();) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        if (line.rfind("ok: ", 0) == 0 || line.rfind("error: ", 0) == 0) ++runs;
        start = end + 2;
    }
    return runs;
}

// What the stand-in compiler logs for a run that compiled the source into the .bgl.
std::string CompiledRun(const std::string& source, const std::string& bgl) {
    return "called with: " + source + "\r\nok: " + bgl + "\r\n";
}

class SaveAndCompileTest : public ZonewrightTest {
protected:
    void TearDown() override { EXPECT_TRUE(AwaitStartedProcesses()); }

    // Starts a new program whose settings name the stand-in compiler, copied to this path
    // within the program's folder (a sub-folder is made). The program's folder may have a name
    // of its own within the test's folder (in UTF-8), or be the root of a drive.
    AssertionResult StartWithCompiler(const std::string& compiler, const std::string& folderName = "", char drive = 0) {
        if (AssertionResult ended = AwaitStartedProcesses(); !ended) return ended;
        main_ = nullptr;
        program_.reset();
        program_.emplace(ZonewrightExe(), std::nullopt, folderName, drive);
        if (!program_->prepared()) return AssertionFailure() << program_->failure();
        // The paths below are put together from this folder's as bytes: it must need no change.
        for (char c : program_->OuterPath("")) {
            if (static_cast<unsigned char>(c) >= 0x80 || c == '%') {
                return AssertionFailure() << "the test folder's path is not plain: " << program_->OuterPath("");
            }
        }
        if (AssertionResult installed = InstallCompiler(compiler); !installed) return installed;
        if (!e2e::WriteFileBytes(program_->Path("ZonewrightV2.ini"), Settings(program_->Path(compiler)))) {
            return AssertionFailure() << "could not write the settings";
        }
        if (!program_->Start()) return AssertionFailure() << program_->failure();
        return AwaitMainWindow();
    }

    // Copies the stand-in compiler to this path within the program's folder.
    AssertionResult InstallCompiler(const std::string& compiler) {
        if (StandInCompiler().empty()) {
            return AssertionFailure() << "tools\\bglcomp.exe not found above the test program; "
                                         "set ZONEWRIGHT_BGLCOMP to its path";
        }
        const size_t slash = compiler.find_last_of('\\');
        if (slash != std::string::npos && !MakeFolder(compiler.substr(0, slash))) {
            return AssertionFailure() << "could not make the folder for " << compiler;
        }
        if (!CopyFileA(StandInCompiler().c_str(), program_->Path(compiler).c_str(), FALSE)) {
            return AssertionFailure() << "could not copy the compiler to " << program_->Path(compiler);
        }
        return AssertionSuccess();
    }

    bool MakeFolder(const std::string& folder) {
        return CreateDirectoryA(program_->Path(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    }

    // The processes the program started (the batch file's shell) have ended.
    AssertionResult AwaitStartedProcesses() {
        if (program_ && !program_->WaitForChildProcesses()) {
            return AssertionFailure() << program_->ChildProcesses().size() << " started processes still run";
        }
        return AssertionSuccess();
    }

    // Types the coordinates of kWindsocksDocument, ticks Windsocks and generates it.
    AssertionResult GenerateWindsocks() {
        if (AssertionResult filled = FillWindsocksArea(); !filled) return filled;
        if (AssertionResult generated = ClickItem(IDC_generate); !generated) return generated;
        if (e2e::GetText(Item(IDC_txtoutput)) != kWindsocksDocument) {
            return AssertionFailure() << "the source view holds " << e2e::GetText(Item(IDC_txtoutput));
        }
        return AssertionSuccess();
    }

    // Ticks or clears "Delete source after compilation?".
    AssertionResult DeleteSource(bool tick) {
        if ((e2e::GetCheck(Item(IDC_DelSRC)) == BST_CHECKED) != tick) {
            if (AssertionResult clicked = ClickItem(IDC_DelSRC); !clicked) return clicked;
        }
        if (e2e::GetCheck(Item(IDC_DelSRC)) != (tick ? BST_CHECKED : BST_UNCHECKED)) {
            return AssertionFailure() << "Delete source did not change";
        }
        return AssertionSuccess();
    }

    // Makes the stand-in compiler one that has trouble: a command file of this name in the
    // program's folder runs it with these switches (bytes in the shell's code page) and
    // becomes the compiler location.
    AssertionResult TroubledCompiler(const std::string& name, const std::string& switches) {
        const std::string command = program_->Path(name);
        if (!e2e::WriteFileBytes(command, "@" + Quoted(program_->Path("bglcomp.exe")) + " " + switches + " %1\r\n") ||
            !e2e::WriteFileBytes(program_->Path("ZonewrightV2.ini"), Settings(command))) {
            return AssertionFailure() << "could not write " << command;
        }
        return AssertionSuccess();
    }

    // Saves the Windsocks document as SlowSource(), with "Delete source" ticked, for a compiler
    // that waits until the file Release() is there; returns once the compiler runs.
    AssertionResult StartSlowCompile() {
        if (AssertionResult started = StartWithCompiler("bglcomp.exe"); !started) return started;
        if (!MakeFolder("scenery")) return AssertionFailure() << "could not make the scenery folder";
        if (AssertionResult slow = TroubledCompiler("slow.cmd", "--wait-for " + Quoted(Release())); !slow) return slow;
        if (AssertionResult generated = GenerateWindsocks(); !generated) return generated;
        if (AssertionResult ticked = DeleteSource(true); !ticked) return ticked;
        if (AssertionResult saved = SaveAs(SlowSource()); !saved) return saved;
        if (!e2e::WaitUntil([&] { return Log().value_or("") == "called with: " + SlowSource() + "\r\n"; })) {
            return AssertionFailure() << "the compiler did not start: " << Log().value_or("(no log)");
        }
        return AssertionSuccess();
    }
    std::string SlowSource() const { return program_->Path("scenery\\area.xml"); }
    std::string Release() const { return program_->Path("release"); }

    // Presses "Save source and generate .bgl" and waits for its file dialog. A compile that has
    // just ended may not have been taken in yet: while the program answers that the compiler
    // still runs, the user presses again.
    AssertionResult PressSave(HWND& dialog) {
        std::string refused;
        const bool opened = e2e::WaitUntil([&] {
            if (!e2e::Click(Item(IDC_save))) return false;
            HWND box = nullptr;
            e2e::WaitUntil([&] {
                box = program_->FindMessageBox();
                const std::vector<HWND> owned = e2e::FindOwnedWindows(main_, "#32770");
                dialog = nullptr;
                for (HWND window : owned) {
                    if (window != box && IsWindowVisible(window)) dialog = window;
                }
                return box || dialog;
            });
            if (!box) return dialog != nullptr;
            refused = e2e::MessageBoxText(box);
            e2e::CloseMessageBox(box);
            return false;
        });
        if (!opened) return AssertionFailure() << "no file dialog appeared; last message: " << refused;
        return AssertionSuccess();
    }

    // Presses Save and answers the dialog with this file.
    AssertionResult SaveAs(const std::string& xml) {
        HWND dialog = nullptr;
        if (AssertionResult pressed = PressSave(dialog); !pressed) return pressed;
        return FinishFileDialog(dialog, xml, Dialog::Save);
    }

    // Waits until the compiler's log tells the outcome of this many runs, and no more, and the
    // batch file has ended: Wine's shell holds it open while it runs, so that it cannot be
    // replaced until then.
    AssertionResult AwaitRuns(const std::string& log, int runs) {
        std::optional<std::string> bytes;
        if (!e2e::WaitUntil([&] { return (bytes = e2e::ReadFileBytes(log)) && Outcomes(*bytes) >= runs; })) {
            return AssertionFailure() << "the log " << log << " tells of " << (bytes ? Outcomes(*bytes) : 0)
                                      << " runs, not " << runs << ":\n"
                                      << bytes.value_or("(no log)");
        }
        if (Outcomes(*bytes) != runs) return AssertionFailure() << "the log tells of more runs:\n" << *bytes;
        return AwaitStartedProcesses();
    }

    // Waits until the program has deleted the source, after the compile.
    AssertionResult AwaitDeleted(const std::string& xml) {
        if (!e2e::WaitUntil([&] { return !e2e::FileExists(xml); })) return AssertionFailure() << xml << " stays";
        return AssertionSuccess();
    }

    std::optional<std::string> Batch() const { return e2e::ReadFileBytes(program_->Path(kBatchFile)); }
    // The log of the compiler in this folder within the program's ("" for that folder itself).
    std::string LogPath(const std::string& compilerFolder = "") const {
        return program_->Path(compilerFolder.empty() ? kCompilerLog : compilerFolder + "\\" + kCompilerLog);
    }
    std::optional<std::string> Log(const std::string& compilerFolder = "") const {
        return e2e::ReadFileBytes(LogPath(compilerFolder));
    }
};

TEST_F(SaveAndCompileTest, TheDialogOffersXmlFilesAndAllFiles) {
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(MakeFolder("listing"));
    for (const char* name : {"area.xml", "notes.txt", "project.exc"}) {
        ASSERT_TRUE(e2e::WriteFileBytes(program_->Path("listing\\" + std::string(name)), "x"));
    }
    HWND dialog = nullptr;
    ASSERT_TRUE(PressSave(dialog));
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_EQ(e2e::FileTypes(dialog), (std::vector<std::string>{"XML Files (*.xml)", "All Files (*.*)"}));
    // A folder for a name: the dialog shows its files of the chosen type.
    ASSERT_TRUE(e2e::AnswerFileDialog(dialog, program_->Path("listing")));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ListedFiles(dialog) == 1; })) << e2e::ListedFiles(dialog);
    ASSERT_TRUE(e2e::ChooseFileType(dialog, 1));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ListedFiles(dialog) == 3; })) << e2e::ListedFiles(dialog);
    ASSERT_TRUE(e2e::ChooseFileType(dialog, 0));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ListedFiles(dialog) == 1; })) << e2e::ListedFiles(dialog);
    ASSERT_TRUE(CancelFileDialog(dialog));
    EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(SaveAndCompileTest, TheBatchFileCompilesTheSavedSource) {
    struct Case {
        const char* name;
        std::string compilerFolder;         // within the program's folder; "" for the folder itself
        std::string compilerFolderInBatch;  // as the batch file must name it
        std::string folder;                 // of the XML source, within the program's folder
        std::optional<std::string> folderInBatch;  // none: its short form
        std::string file;
        std::string bgl;
        bool deleteSource;
    };
    const Case cases[] = {
        {"source deleted after compiling", "", "", "scenery", "scenery", "area.xml", "area.bgl", true},
        {"source kept", "", "", "scenery", "scenery", "area.xml", "area.bgl", false},
        {"blanks in both paths", "FS9 SDK", "FS9 SDK", "my scenery", "my scenery", "exclusion area.xml",
         "exclusion area.bgl", true},
        {"percent signs in both paths", "SDK 100%", "SDK 100%%", "100% scenery", "100%% scenery", "area.xml",
         "area.bgl", true},
        // With delayed expansion on for the shell (a per-user setting that Wine's shell does not
        // read), !x! would expand: the program starts the shell with it off.
        {"exclamation marks in both paths", "SDK !x!", "SDK !x!", "wow!OS!", "wow!OS!", "area!OS!.xml", "area!OS!.bgl",
         true},
        // The shell reads the batch file in code page 437, where the ANSI 0xFC is 0x81.
        {"an accented letter in both paths", "J\xFCrgens SDK", "J\x81rgens SDK", "J\xFCrgen", "J\x81rgen", "area.xml",
         "area.bgl", true},
        // The euro sign (ANSI 0x80) has no form in code page 437: the folder goes by its short form,
        // the file keeps its name, and so does the .bgl.
        {"a letter the shell's code page lacks", "", "", "Preis 5 \x80", std::nullopt, "J\xFCrgen.xml", "J\xFCrgen.bgl",
         true},
        {"a name without extension", "", "", "scenery", "scenery", "area", "area.bgl", false},
    };
    ASSERT_EQ(GetOEMCP(), 437u);
    ASSERT_EQ(GetACP(), 1252u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string compiler = c.compilerFolder.empty() ? "bglcomp.exe" : c.compilerFolder + "\\bglcomp.exe";
        const std::string compilerInBatch =
            c.compilerFolderInBatch.empty() ? "bglcomp.exe" : c.compilerFolderInBatch + "\\bglcomp.exe";
        ASSERT_TRUE(StartWithCompiler(compiler));
        ASSERT_TRUE(MakeFolder(c.folder));
        const std::string xml = program_->Path(c.folder + "\\" + c.file);
        // The path the compiler receives: as saved, or its short form.
        std::string received = xml;
        std::string receivedBgl = program_->Path(c.folder + "\\" + c.bgl);
        std::string xmlInBatch;
        if (c.folderInBatch) {
            xmlInBatch = program_->Path(*c.folderInBatch + "\\" + c.file);
        } else {
            char shortFolder[MAX_PATH] = "";
            const DWORD length = GetShortPathNameA(program_->Path(c.folder).c_str(), shortFolder, MAX_PATH);
            ASSERT_TRUE(length > 0 && length < MAX_PATH);
            const std::string shortName = std::string(shortFolder).substr(std::string(shortFolder).rfind('\\') + 1);
            ASSERT_EQ(shortName.find('\x80'), std::string::npos) << shortName;
            received = program_->Path(shortName + "\\" + c.file);
            receivedBgl = program_->Path(shortName + "\\" + c.bgl);
            xmlInBatch = program_->Path(shortName + "\\J\x81rgen.xml");
        }
        ASSERT_TRUE(GenerateWindsocks());
        ASSERT_TRUE(DeleteSource(c.deleteSource));
        ASSERT_TRUE(SaveAs(xml));
        EXPECT_EQ(program_->FindMessageBox(), nullptr);

        // The compile line alone: the program deletes the source itself, once the .bgl is there.
        EXPECT_EQ(Batch(), Quoted(program_->Path(compilerInBatch)) + " " + Quoted(xmlInBatch) + "\r\n");
        ASSERT_TRUE(AwaitRuns(LogPath(c.compilerFolder), 1));
        if (c.deleteSource) {
            ASSERT_TRUE(AwaitDeleted(xml));
        }
        EXPECT_EQ(Log(c.compilerFolder), CompiledRun(received, receivedBgl));
        const std::optional<std::string> bgl = e2e::ReadFileBytes(program_->Path(c.folder + "\\" + c.bgl));
        ASSERT_TRUE(bgl);
        EXPECT_EQ(bgl->rfind(std::string(kBglMarker) + "\r\nsource: " + received + "\r\n", 0), 0u) << *bgl;
        // The source is gone if it was to be deleted, and kept whole if not.
        std::vector<std::string> left = {c.bgl};
        if (!c.deleteSource) left.push_back(c.file);
        std::sort(left.begin(), left.end());
        EXPECT_EQ(e2e::FolderEntries(program_->Path(c.folder)), left);
        if (!c.deleteSource) {
            EXPECT_EQ(e2e::ReadFileBytes(xml), std::string(kWindsocksDocument) + "\r\n");
        }
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
    }
}

// Wherever the program stands, the shell runs the program's own batch file in its folder: a
// folder named with a variable, whose expansion names another folder with a batch file of its
// own; the root of a drive, where "Y:" alone would name the current folder, which holds one too;
// a folder whose name the ANSI code page cannot write, where the program goes by its short name.
TEST_F(SaveAndCompileTest, TheProgramRunsItsOwnBatchFileWhereverItStands) {
    const struct {
        const char* name;
        std::string folderName;  // in UTF-8
        char drive;
        std::function<std::string()> decoy;  // the folder of a batch file that must not run
    } cases[] = {
        {"a folder named with a variable", "zw %OS% run", 0, [&] { return program_->OuterPath("zw Windows_NT run"); }},
        {"the root of a drive", "", 'Y', [&] { return program_->Path("elsewhere"); }},
        {"a letter the code page lacks", "\xC5\x81ukasz", 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartWithCompiler("bglcomp.exe", c.folderName, c.drive));
        const std::string decoy = c.decoy ? c.decoy() : "";
        if (!decoy.empty()) {
            ASSERT_TRUE(CreateDirectoryA(decoy.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
            ASSERT_TRUE(
                e2e::WriteFileBytes(decoy + "\\Zonewright.bat", "echo decoy> " + Quoted(decoy + "\\ran.txt") + "\r\n"));
        }
        ASSERT_TRUE(MakeFolder("scenery"));
        ASSERT_TRUE(GenerateWindsocks());
        ASSERT_TRUE(DeleteSource(false));
        const std::string xml = program_->Path("scenery\\area.xml");
        ASSERT_TRUE(SaveAs(xml));
        EXPECT_EQ(Batch(), Quoted(Doubled(program_->Path("bglcomp.exe"))) + " " + Quoted(Doubled(xml)) + "\r\n");
        ASSERT_TRUE(AwaitRuns(LogPath(), 1));
        EXPECT_EQ(Log(), CompiledRun(xml, program_->Path("scenery\\area.bgl")));
        if (!decoy.empty()) {
            EXPECT_EQ(e2e::FolderEntries(decoy), std::vector<std::string>{"Zonewright.bat"});
        }
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
    }
}

TEST_F(SaveAndCompileTest, AFailedCompileIsReportedInTheCompilersWordsAndTheSourceKept) {
    ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
    ASSERT_TRUE(MakeFolder("scenery"));
    ASSERT_EQ(e2e::GetText(Item(IDC_txtoutput)), "");
    ASSERT_TRUE(DeleteSource(true));

    // An empty source view is saved as a line break, compiled, and refused by the compiler.
    const std::string empty = program_->Path("scenery\\empty.xml");
    ASSERT_TRUE(SaveAs(empty));
    EXPECT_EQ(Batch(), Quoted(program_->Path("bglcomp.exe")) + " " + Quoted(empty) + "\r\n");
    HWND box = program_->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), main_);
    std::string icon;
    EXPECT_TRUE(e2e::WaitUntil([&] { return (icon = e2e::MessageBoxIcon(box)) == "exclamation"; })) << icon;
    ASSERT_TRUE(ExpectMessages({CompileFailed(program_->Path("scenery\\empty.bgl"), false,
                                              empty + ": line 2: the document has no root element", empty)}));
    EXPECT_EQ(e2e::ReadFileBytes(empty), "\r\n");

    // A compiler that fails with words of its own, printed in the console's code page (437:
    // 0x81 is u umlaut, 0xFC in the program's 1252), on its output and its error.
    ASSERT_TRUE(GenerateWindsocks());
    ASSERT_TRUE(TroubledCompiler("failing.cmd",
                                 "--fail \"Zeile 3: \x81"
                                 "berlauf\""));
    const std::string xml = program_->Path("scenery\\area.xml");
    ASSERT_TRUE(SaveAs(xml));
    ASSERT_TRUE(ExpectMessages({CompileFailed(program_->Path("scenery\\area.bgl"), false,
                                              "Compiling " + xml +
                                                  "\r\nZeile 3: \xFC"
                                                  "berlauf",
                                              xml)}));
    EXPECT_EQ(e2e::ReadFileBytes(xml), std::string(kWindsocksDocument) + "\r\n");
    EXPECT_EQ(e2e::FolderEntries(program_->Path("scenery")), (std::vector<std::string>{"area.xml", "empty.xml"}));
    ASSERT_TRUE(AwaitRuns(LogPath(), 2));

    // One that breaks down after writing part of the .bgl: the failure counts, not the .bgl.
    const std::string bgl = program_->Path("scenery\\area.bgl");
    ASSERT_TRUE(TroubledCompiler("breaking.cmd", "--partial"));
    ASSERT_TRUE(SaveAs(xml));
    ASSERT_TRUE(ExpectMessages({CompileFailed(bgl, true, "broke down while writing " + bgl, xml)}));
    EXPECT_EQ(e2e::ReadFileBytes(xml), std::string(kWindsocksDocument) + "\r\n");
    EXPECT_EQ(e2e::ReadFileBytes(bgl), std::string(kBglMarker) + "\r\n");
    ASSERT_TRUE(AwaitRuns(LogPath(), 3));

    // One that fails and stays silent for longer than the while its output is given after the
    // shell's end, with a helper that prints a last line once the shell has ended: that while
    // counts from the end.
    ASSERT_TRUE(TroubledCompiler(
        "late.cmd", "--fail \"line 9: bad\" --end-after " + Quoted(Release()) + " --late-line \"helper: done\""));
    ASSERT_TRUE(SaveAs(xml));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Outcomes(Log().value_or("")) == 4; }));
    Sleep(2500);
    ASSERT_TRUE(e2e::WriteFileBytes(Release(), ""));
    ASSERT_TRUE(
        ExpectMessages({CompileFailed(bgl, false, "Compiling " + xml + "\r\nline 9: bad\r\nhelper: done", xml)}));
    ASSERT_TRUE(AwaitRuns(LogPath(), 4));
}

// A compiler may leave a program running that holds its output open, silent or printing without
// a pause: the compile ends with the shell all the same, a short while after it.
TEST_F(SaveAndCompileTest, ACompileEndsWithItsShellThoughAHelperHoldsTheOutput) {
    for (const char* helper : {"--leave-helper ", "--flooding-helper "}) {
        SCOPED_TRACE(helper);
        ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
        ASSERT_TRUE(MakeFolder("scenery"));
        ASSERT_TRUE(TroubledCompiler("helped.cmd", helper + Quoted(Release())));
        ASSERT_TRUE(GenerateWindsocks());
        ASSERT_TRUE(DeleteSource(true));
        const std::string xml = program_->Path("scenery\\area.xml");
        ASSERT_TRUE(SaveAs(xml));
        ASSERT_TRUE(AwaitRuns(LogPath(), 1));
        // The shell has ended; its helper runs on, waiting for the release.
        EXPECT_EQ(e2e::RunningProcesses("bglcomp.exe").size(), 1u);
        ASSERT_TRUE(AwaitDeleted(xml));
        HWND dialog = nullptr;
        ASSERT_TRUE(PressSave(dialog));
        ASSERT_TRUE(CancelFileDialog(dialog));
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        ASSERT_TRUE(e2e::WriteFileBytes(Release(), ""));
        EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RunningProcesses("bglcomp.exe").empty(); }));
    }
}

// Each of these names would have the source destroy a file, named as the program names it or
// through another drive letter for the program's folder, or the compiler as the shell finds it
// from the program's folder, whatever the current one: each is refused, and the file stays as it
// was.
TEST_F(SaveAndCompileTest, ANameThatWouldDestroyAFileIsRefused) {
    ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
    ASSERT_TRUE(InstallCompiler("SDK\\bglcomp.exe"));
    ASSERT_TRUE(e2e::WriteFileBytes(program_->Path("area.bgl"), "the compiled area"));
    ASSERT_TRUE(e2e::WriteFileBytes(program_->Path(kBatchFile), "earlier batch\r\n"));
    const e2e::MappedDrive drive('Y', program_->Path(""));
    ASSERT_TRUE(drive.mapped());
    ASSERT_TRUE(GenerateWindsocks());
    const std::string whyBgl =
        "the compiler names its .bgl file after the source, so it would write it over the source itself. Give the "
        "source a name ending in .xml.";
    const std::string whyBatch = "that is the batch file that runs the compiler.";
    const std::string whySettings = "that is the settings file of Zonewright.";
    const std::string whyProgram = "that is Zonewright itself.";
    const std::string whyCompiler = "that is the compiler that Zonewright runs.";
    const struct {
        std::string path, why;
        std::string compiler;  // the location in the settings from this name on; "" for no change
    } names[] = {
        // First, while the current folder is not the program's.
        {program_->Path("SDK\\bglcomp.exe"), whyCompiler, "SDK\\bglcomp.exe"},
        {program_->Path("SDK\\bglcomp.exe"), whyCompiler, "\"SDK\\bglcomp.exe\""},
        {program_->Path("SDK\\bglcomp.exe"), whyCompiler, program_->Path("").substr(0, 2) + "SDK\\bglcomp.exe"},
        {program_->Path("bglcomp.exe"), whyCompiler, program_->Path("bglcomp")},
        {program_->Path("area.bgl"), whyBgl, program_->Path("bglcomp.exe")},
        {program_->Path("area.BGL"), whyBgl, ""},
        {program_->Path("Zonewright.bat"), whyBatch, ""},
        {program_->Path("ZonewrightV2.ini"), whySettings, ""},
        {program_->Path("Zonewright.exe"), whyProgram, ""},
        {program_->Path("bglcomp.exe"), whyCompiler, ""},
        {drive.root() + "Zonewright.bat", whyBatch, ""},
        {drive.root() + "ZonewrightV2.ini", whySettings, ""},
        {drive.root() + "Zonewright.exe", whyProgram, ""},
        {drive.root() + "bglcomp.exe", whyCompiler, ""},
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name.path);
        if (!name.compiler.empty()) {
            ASSERT_TRUE(e2e::WriteFileBytes(program_->Path("ZonewrightV2.ini"), Settings(name.compiler)));
        }
        const std::optional<std::string> before = e2e::ReadFileBytes(name.path);
        ASSERT_TRUE(SaveAs(name.path));
        ASSERT_TRUE(ExpectMessages(
            {"The XML source cannot be saved as \"" + name.path + "\": " + name.why + "\r\n\r\nNothing was saved."}));
        EXPECT_EQ(e2e::ReadFileBytes(name.path), before);
    }
    // Before the first save there is no batch file: it is known by its folder.
    ASSERT_TRUE(DeleteFileA(program_->Path(kBatchFile).c_str()));
    ASSERT_TRUE(SaveAs(drive.root() + kBatchFile));
    ASSERT_TRUE(ExpectMessages({"The XML source cannot be saved as \"" + drive.root() + kBatchFile + "\": " + whyBatch +
                                "\r\n\r\nNothing was saved."}));
    EXPECT_FALSE(e2e::FileExists(program_->Path(kBatchFile)));
    EXPECT_EQ(program_->ChildProcesses(), std::vector<DWORD>{});
    EXPECT_FALSE(Log());
}

TEST_F(SaveAndCompileTest, ASaveWhileTheCompilerRunsIsRefusedAndTheSourceGoesOnlyAfterTheBgl) {
    ASSERT_TRUE(StartSlowCompile());
    const std::string xml = SlowSource();
    const std::string bgl = program_->Path("scenery\\area.bgl");
    const std::optional<std::string> batch = Batch();

    // While it runs: the source is there, no .bgl yet, and a second save is refused before its
    // dialog, leaving the running batch file as it is.
    EXPECT_TRUE(e2e::FileExists(xml));
    EXPECT_FALSE(e2e::FileExists(bgl));
    ASSERT_TRUE(e2e::Click(Item(IDC_save)));
    ASSERT_TRUE(ExpectMessages({kStillRunning}));
    EXPECT_EQ(e2e::FindOwnedWindows(main_, "#32770"), std::vector<HWND>{});
    EXPECT_EQ(Batch(), batch);
    // The window is not held up meanwhile.
    ASSERT_TRUE(Type(IDC_latitudemaximum, "48"));
    EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), "48");

    ASSERT_TRUE(e2e::WriteFileBytes(Release(), ""));
    ASSERT_TRUE(AwaitRuns(LogPath(), 1));
    ASSERT_TRUE(AwaitDeleted(xml));
    EXPECT_TRUE(e2e::FileExists(bgl));
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
}

// The shell goes on after the program has closed, and holds its batch file until it ends: a
// second copy of the program cannot write it meanwhile.
TEST_F(SaveAndCompileTest, ClosingTheProgramLeavesTheCompilerRunningAndTheSourceInPlace) {
    ASSERT_TRUE(StartSlowCompile());
    const std::string xml = SlowSource();
    const std::vector<DWORD> shells = program_->ChildProcesses();
    ASSERT_EQ(shells.size(), 1u);
    const UniqueHandle shell(OpenProcess(SYNCHRONIZE, FALSE, shells[0]));
    ASSERT_TRUE(shell);

    ASSERT_TRUE(e2e::PostCommand(main_, ID_menuExit));
    ASSERT_TRUE(program_->WaitForExit());
    EXPECT_EQ(program_->ExitCode(), 0u);
    EXPECT_EQ(Log(), "called with: " + xml + "\r\n");
    ASSERT_TRUE(program_->Start());
    ASSERT_TRUE(AwaitMainWindow());
    ASSERT_TRUE(GenerateWindsocks());
    const std::string second = program_->Path("scenery\\second.xml");
    ASSERT_TRUE(SaveAs(second));
    ASSERT_TRUE(ExpectMessages({"The batch file could not be written: \"" + program_->Path(kBatchFile) +
                                "\".\r\n\r\nIt is in use: another copy of Zonewright is most likely compiling "
                                "with it. Save again once that compile has finished.\r\nThe XML source was saved, "
                                "but the compiler was not started."}));

    // The compiler goes on alone and finishes; nobody deletes the source any more.
    ASSERT_TRUE(e2e::WriteFileBytes(Release(), ""));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Outcomes(Log().value_or("")) == 1; }));
    EXPECT_EQ(Log(), CompiledRun(xml, program_->Path("scenery\\area.bgl")));
    // Once it has ended, the batch file is free again.
    ASSERT_EQ(WaitForSingleObject(shell.get(), e2e::kTimeoutMs), WAIT_OBJECT_0);
    ASSERT_TRUE(SaveAs(second));
    ASSERT_TRUE(AwaitRuns(LogPath(), 2));
}

TEST_F(SaveAndCompileTest, TheCompilerLocationIsReadAtEachSave) {
    ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
    ASSERT_TRUE(MakeFolder("scenery"));
    ASSERT_TRUE(GenerateWindsocks());
    ASSERT_TRUE(DeleteSource(false));
    const std::string first = program_->Path("scenery\\first.xml");
    ASSERT_TRUE(SaveAs(first));
    ASSERT_TRUE(AwaitRuns(LogPath(), 1));

    // Another compiler, named while the program runs.
    ASSERT_TRUE(InstallCompiler("FS9 SDK\\bglcomp.exe"));
    const std::string other = program_->Path("FS9 SDK\\bglcomp.exe");
    ASSERT_TRUE(e2e::WriteFileBytes(program_->Path("ZonewrightV2.ini"), Settings(other)));
    const std::string second = program_->Path("scenery\\second.xml");
    ASSERT_TRUE(SaveAs(second));
    EXPECT_EQ(Batch(), Quoted(other) + " " + Quoted(second) + "\r\n");
    ASSERT_TRUE(AwaitRuns(LogPath("FS9 SDK"), 1));
    EXPECT_EQ(Log("FS9 SDK"), CompiledRun(second, program_->Path("scenery\\second.bgl")));

    // None at all: the source is saved and kept, nothing is started, and the user is told as at
    // start-up.
    ASSERT_TRUE(e2e::WriteFileBytes(program_->Path("ZonewrightV2.ini"), "[DEFAULT]\r\nBGLCOMP=\r\n"));
    ASSERT_TRUE(DeleteSource(true));
    const std::string third = program_->Path("scenery\\third.xml");
    ASSERT_TRUE(SaveAs(third));
    ASSERT_TRUE(ExpectMessages({kDefineCompiler}));
    EXPECT_EQ(Batch(), "");
    EXPECT_EQ(program_->ChildProcesses(), std::vector<DWORD>{});
    EXPECT_EQ(e2e::ReadFileBytes(third), std::string(kWindsocksDocument) + "\r\n");
    EXPECT_EQ(Log(), CompiledRun(first, program_->Path("scenery\\first.bgl")));
    EXPECT_EQ(Log("FS9 SDK"), CompiledRun(second, program_->Path("scenery\\second.bgl")));
}

TEST_F(SaveAndCompileTest, ExistingFilesAreReplacedWhole) {
    ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
    ASSERT_TRUE(MakeFolder("scenery"));
    const std::string xml = program_->Path("scenery\\area.xml");
    const std::string log = LogPath();
    // Both longer than what replaces them.
    const std::string oldSource = std::string(4000, 'x') + "\r\n";
    std::string oldBatch;
    for (int i = 0; i < 100; ++i) oldBatch += "REM an earlier batch file\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(xml, oldSource));
    ASSERT_TRUE(e2e::WriteFileBytes(program_->Path(kBatchFile), oldBatch));
    const std::string compileLine = Quoted(program_->Path("bglcomp.exe")) + " " + Quoted(xml) + "\r\n";

    // Over the old source and batch file: asked first, then both replaced.
    ASSERT_TRUE(GenerateWindsocks());
    ASSERT_TRUE(DeleteSource(false));
    ASSERT_TRUE(SaveAs(xml));
    EXPECT_EQ(e2e::ReadFileBytes(xml), std::string(kWindsocksDocument) + "\r\n");
    EXPECT_EQ(Batch(), compileLine);
    ASSERT_TRUE(AwaitRuns(log, 1));

    // Over its own source with the deletion, which the program does once the .bgl is made.
    ASSERT_TRUE(DeleteSource(true));
    ASSERT_TRUE(SaveAs(xml));
    EXPECT_EQ(Batch(), compileLine);
    ASSERT_TRUE(AwaitRuns(log, 2));
    ASSERT_TRUE(AwaitDeleted(xml));

    // A shorter document over a longer source.
    ASSERT_TRUE(e2e::WriteFileBytes(xml, oldSource));
    ASSERT_TRUE(Type(IDC_latitudemaximum, "48"));
    ASSERT_TRUE(ClickItem(IDC_generate));
    std::string shorter = kWindsocksDocument;
    shorter.replace(shorter.find("\"47.5\""), 6, "\"48\"");
    ASSERT_EQ(e2e::GetText(Item(IDC_txtoutput)), shorter);
    ASSERT_TRUE(DeleteSource(false));
    ASSERT_TRUE(SaveAs(xml));
    EXPECT_EQ(e2e::ReadFileBytes(xml), shorter + "\r\n");
    EXPECT_EQ(Batch(), compileLine);
    ASSERT_TRUE(AwaitRuns(log, 3));
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
}

TEST_F(SaveAndCompileTest, CancelWritesAndStartsNothing) {
    ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
    ASSERT_TRUE(MakeFolder("scenery"));
    ASSERT_TRUE(GenerateWindsocks());
    ASSERT_TRUE(DeleteSource(false));
    const std::vector<std::string> programFiles = {"Zonewright.exe", "ZonewrightV2.ini", "bglcomp.exe", "elsewhere",
                                                   "scenery"};
    ASSERT_EQ(e2e::FolderEntries(program_->Path("")), programFiles);

    HWND dialog = nullptr;
    ASSERT_TRUE(PressSave(dialog));
    ASSERT_TRUE(CancelFileDialog(dialog));
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
    EXPECT_EQ(e2e::FolderEntries(program_->Path("")), programFiles);
    EXPECT_EQ(e2e::FolderEntries(program_->Path("scenery")), std::vector<std::string>{});

    const std::string first = program_->Path("scenery\\first.xml");
    ASSERT_TRUE(SaveAs(first));
    ASSERT_TRUE(AwaitRuns(LogPath(), 1));
    const std::optional<std::string> batch = Batch();
    ASSERT_TRUE(batch);
    const std::vector<std::string> afterFirst = e2e::FolderEntries(program_->Path(""));
    const std::vector<std::string> sceneryAfterFirst = {"first.bgl", "first.xml"};
    ASSERT_EQ(e2e::FolderEntries(program_->Path("scenery")), sceneryAfterFirst);

    // The earlier batch file stays as it was, and is not started again.
    ASSERT_TRUE(PressSave(dialog));
    ASSERT_TRUE(CancelFileDialog(dialog));
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
    EXPECT_EQ(Batch(), batch);
    EXPECT_EQ(e2e::FolderEntries(program_->Path("")), afterFirst);
    EXPECT_EQ(e2e::FolderEntries(program_->Path("scenery")), sceneryAfterFirst);

    // Had the cancelled save started the batch file, the log would tell of a second first.xml.
    const std::string second = program_->Path("scenery\\second.xml");
    ASSERT_TRUE(SaveAs(second));
    ASSERT_TRUE(AwaitRuns(LogPath(), 2));
    EXPECT_EQ(Log(), CompiledRun(first, program_->Path("scenery\\first.bgl")) +
                         CompiledRun(second, program_->Path("scenery\\second.bgl")));
}

TEST_F(SaveAndCompileTest, AnXmlFileThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(StartWithCompiler("bglcomp.exe"));
    ASSERT_TRUE(MakeFolder("scenery"));
    ASSERT_TRUE(GenerateWindsocks());
    ASSERT_TRUE(DeleteSource(false));
    const std::string first = program_->Path("scenery\\first.xml");
    ASSERT_TRUE(SaveAs(first));
    ASSERT_TRUE(AwaitRuns(LogPath(), 1));
    const std::optional<std::string> batch = Batch();
    ASSERT_TRUE(batch);

    const std::string locked = program_->Path("scenery\\locked.xml");
    const std::string oldSource = "old source\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(locked, oldSource));
    {
        // Held open without sharing: the file can be neither replaced nor written.
        UniqueHandle lock(CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        ASSERT_TRUE(SaveAs(locked));
        HWND box = program_->WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        const std::string text = e2e::MessageBoxText(box);
        EXPECT_EQ(GetWindow(box, GW_OWNER), main_);
        // Told by its pixels, once it is drawn.
        std::string icon;
        EXPECT_TRUE(e2e::WaitUntil([&] { return (icon = e2e::MessageBoxIcon(box)) == "exclamation"; })) << icon;
        const std::string opening = "The XML source could not be saved to \"" + locked + "\".";
        EXPECT_EQ(text.substr(0, opening.size()), opening) << text;
        // Then the system's reason: the one it gives for writing the file or for replacing it.
        const std::vector<std::string> reasons = e2e::ReasonsTheFileIsLocked(locked, oldSource);
        ASSERT_EQ(reasons.size(), 2u);
        std::string rest = text.substr(std::min(text.size(), opening.size()));
        rest.erase(0, rest.find_first_not_of("\r\n"));
        rest.erase(rest.find_last_not_of("\r\n") + 1);
        EXPECT_TRUE(rest == reasons[0] || rest == reasons[1])
            << text << "\ngives neither \"" << reasons[0] << "\" nor \"" << reasons[1] << "\"";
        EXPECT_FALSE(IsWindowEnabled(main_));
        ASSERT_TRUE(e2e::CloseMessageBox(box));
        ASSERT_TRUE(Settle());
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(main_));
    }
    EXPECT_EQ(e2e::ReadFileBytes(locked), oldSource);
    EXPECT_EQ(Batch(), batch);
    EXPECT_EQ(e2e::FolderEntries(program_->Path("scenery")),
              (std::vector<std::string>{"first.bgl", "first.xml", "locked.xml"}));

    // Nothing was started for it: the next run is the second in the log.
    const std::string next = program_->Path("scenery\\next.xml");
    ASSERT_TRUE(SaveAs(next));
    ASSERT_TRUE(AwaitRuns(LogPath(), 2));
    EXPECT_EQ(Log(), CompiledRun(first, program_->Path("scenery\\first.bgl")) +
                         CompiledRun(next, program_->Path("scenery\\next.bgl")));
}

}  // namespace
