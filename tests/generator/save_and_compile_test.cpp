#include "generator/save_and_compile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "generator/batch_shell_win32.h"
#include "generator/compile_batch.h"
#include "golden_texts.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"
#include "test_folder.h"
#include "win32/handles.h"
#include "win32_test_support.h"

namespace {

bool WesternCodePages() {
    return GetACP() == 1252 && GetOEMCP() == 437;
}

// Runs with the settings and batch file beside the test program, as they are beside Zonewright.exe.
class SaveSourceAndCompileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\no such folder\\bglcomp.exe\r\n"));
        ASSERT_FALSE(WriteWholeFile(BatchFilePath(), "earlier batch\r\n"));
    }
    void TearDown() override {
        DeleteFileA(SettingsFilePath().c_str());
        DeleteFileA(BatchFilePath().c_str());
    }

    // Saves and compiles with the real shell's paths, recording the start of the batch file in
    // place of running it.
    Result<std::unique_ptr<Compile>> Save(const std::string& xml, const std::string& source, bool deleteSource) {
        Shell shell = CommandShell();
        shell.start = [this](const std::string& folder, const std::string& name, std::function<void()>) {
            started.push_back(folder + "|" + name);
            Result<std::shared_ptr<const ShellRun>> start;
            start.error = startError;
            if (!startError) start.value = std::make_shared<ShellRun>();
            return start;
        };
        return SaveSourceAndCompile(
            xml, source, deleteSource, [] {}, shell);
    }
    void SetCompiler(const std::string& location) {
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=" + location + "\r\n"));
    }
    std::string Batch() { return ReadWholeFile(BatchFilePath()).value; }

    TestFolder folder;
    std::vector<std::string> started;
    std::error_code startError;
};

TEST_F(SaveSourceAndCompileTest, SavesTheSourceAndStartsTheCompileLineInTheProgramsFolder) {
    const std::string xml = folder.Path("my scenery.xml");
    ASSERT_FALSE(WriteWholeFile(xml, "a much longer earlier file that must not shine through\r\n"));
    const Result<std::unique_ptr<Compile>> saved = Save(xml, "<FSData/>\r\n", true);
    EXPECT_FALSE(saved.error);
    EXPECT_EQ(saved.report, "");
    EXPECT_EQ(ReadWholeFile(xml).value, "<FSData/>\r\n\r\n");
    // Deleting the source is the program's own work, after the compile: no DEL line.
    EXPECT_EQ(Batch(), "\"C:\\no such folder\\bglcomp.exe\" \"" + xml + "\"\r\n");
    EXPECT_EQ(started, std::vector<std::string>{ProgramFolder() + "|Zonewright.bat"});
    ASSERT_TRUE(saved.value);
    EXPECT_EQ(saved.value->bglPath, folder.Path("my scenery.bgl"));
    EXPECT_TRUE(saved.value->deleteSource);
}

TEST_F(SaveSourceAndCompileTest, ABatchFileThatCannotBeStartedIsReported) {
    startError = std::error_code(ERROR_FILE_NOT_FOUND, std::system_category());
    const std::string xml = folder.Path("x.xml");
    const Result<std::unique_ptr<Compile>> saved = Save(xml, "text", true);
    EXPECT_EQ(saved.error, startError);
    EXPECT_EQ(saved.report.rfind("The batch file could not be started: \"" + BatchFilePath() + "\".", 0), 0u)
        << saved.report;
    EXPECT_FALSE(saved.value);
    EXPECT_EQ(ReadWholeFile(xml).value, "text\r\n");
    EXPECT_NE(Batch(), "");
}

TEST_F(SaveSourceAndCompileTest, PathsAreWrittenInTheShellsCodePageWithOnlyFoldersShortened) {
    if (!WesternCodePages()) GTEST_SKIP() << "needs the Western code pages";
    // The euro sign (0x80) has no form in code page 437; the u umlaut is 0xFC in 1252, 0x81 in 437.
    const std::string euroFolder = folder.Path("price \x80 list");
    ASSERT_TRUE(CreateDirectoryA(euroFolder.c_str(), nullptr));
    char shortFolder[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(euroFolder.c_str(), shortFolder, MAX_PATH), 0u);
    const std::string shortName = std::string(shortFolder).substr(std::string(shortFolder).rfind('\\') + 1);
    ASSERT_EQ(shortName.find('\x80'), std::string::npos) << shortName;
    struct Case {
        std::string path;
        unsigned codePage;
        std::optional<std::string> forBatch;
    };
    const Case cases[] = {
        {"C:\\J\xFCrgen\\a b.xml", 437, std::string("C:\\J\x81rgen\\a b.xml")},
        {"C:\\J\xFCrgen\\a b.xml", CP_UTF8, std::string("C:\\J\xC3\xBCrgen\\a b.xml")},
        {"C:\\100%\\x!y!.xml", CP_UTF8, std::string("C:\\100%\\x!y!.xml")},
        // The folder is shortened, the file name kept: the compiler names the .bgl after it.
        {euroFolder + "\\J\xFCrgen.xml", 437, folder.Path(shortName) + "\\J\x81rgen.xml"},
        {euroFolder + "\\J\xFCrgen.xml", CP_UTF8, folder.Path("price \xE2\x82\xAC list\\J\xC3\xBCrgen.xml")},
        {folder.Path("price \x80.xml"), 437, std::nullopt},
        {"C:\\a\"b.xml", 437, std::nullopt},
        {"C:\\a\r\nb.xml", CP_UTF8, std::nullopt},
    };
    for (const Case& c : cases) {
        const Result<std::string> forBatch = PathForBatch(c.path, c.codePage);
        EXPECT_EQ(forBatch.error ? std::nullopt : std::optional<std::string>(forBatch.value), c.forBatch)
            << c.path << " " << c.codePage;
        EXPECT_TRUE(!forBatch.error || forBatch.error == Failure::UnreadableByShell) << forBatch.error.message();
    }
}

TEST_F(SaveSourceAndCompileTest, WhatTheBatchFileCannotHoldStartsNothing) {
    if (!WesternCodePages()) GTEST_SKIP() << "needs the Western code pages";
    struct Case {
        const char* compiler;
        const char* xmlName;
        const char* failure;
    };
    const Case cases[] = {
        {"", "x.xml", kDefineCompiler},
        {"C:\\missing \x80\\bglcomp.exe", "x.xml", "The compiler location \"C:\\missing \x80\\bglcomp.exe\" cannot"},
        {"C:\\FS9\\bglcomp.exe\nstart calc.exe & rem ", "x.xml", "The compiler location \"C:\\FS9\\bglcomp.exe\n"},
        {"C:\\bglcomp.exe\" & calc & \"", "x.xml", "The compiler location \"C:\\bglcomp.exe\" & calc"},
        {"C:\\FS9\\bglcomp.exe", "price \x80.xml", "The XML source was saved to \""},
    };
    for (const Case& c : cases) {
        SetCompiler(c.compiler);
        const std::string xml = folder.Path(c.xmlName);
        const Result<std::unique_ptr<Compile>> saved = Save(xml, "text", true);
        EXPECT_TRUE(saved.error);
        EXPECT_EQ(saved.report.rfind(c.failure, 0), 0u) << saved.report;
        EXPECT_FALSE(saved.value);
        EXPECT_EQ(ReadWholeFile(xml).value, "text\r\n");
        EXPECT_EQ(Batch(), "");
    }
    EXPECT_TRUE(started.empty());
}

TEST_F(SaveSourceAndCompileTest, FailuresAreReportedAndLeaveWhatWasDone) {
    const std::string xml = folder.Path("held.xml");
    ASSERT_FALSE(WriteWholeFile(xml, "old"));
    HANDLE held = CreateFileA(xml.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Result<std::unique_ptr<Compile>> failed = Save(xml, "new", true);
    CloseHandle(held);
    EXPECT_EQ(failed.report.rfind("The XML source could not be saved to \"" + xml + "\".", 0), 0u) << failed.report;
    EXPECT_EQ(ReadWholeFile(xml).value, "old");
    EXPECT_EQ(Batch(), "earlier batch\r\n");
    EXPECT_TRUE(started.empty());

    // The settings held: the XML file is saved and the batch file stays empty.
    held = CreateFileA(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Result<std::unique_ptr<Compile>> unread = Save(xml, "new", true);
    CloseHandle(held);
    EXPECT_EQ(unread.report.rfind("The compiler location could not be read from \"" + SettingsFilePath() + "\".", 0),
              0u)
        << unread.report;
    EXPECT_EQ(ReadWholeFile(xml).value, "new\r\n");
    EXPECT_EQ(Batch(), "");
}

TEST(FinishCompile, SucceedsOnlyOnABglWrittenSinceTheStartAndThenDeletesTheSourceIfAsked) {
    TestFolder folder;
    const std::string xml = folder.Path("area.xml");
    const std::string bgl = folder.Path("area.bgl");
    auto shell = std::make_shared<ShellRun>();
    shell->output = "area.xml(3): error: bad latitude\r\n";
    shell->ended = true;
    struct Case {
        const char* name;
        bool bglBefore, bglAfter, deleteSource, heldSource;
        bool succeeds, sourceKept;
    };
    const Case cases[] = {
        {"no .bgl", false, false, true, false, false, true},
        {"only an old .bgl", true, false, true, false, false, true},
        {"a new .bgl, source kept", false, true, false, false, true, true},
        {"a new .bgl over an old one, source deleted", true, true, true, false, true, false},
        {"a new .bgl, source held by another", false, true, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(WriteWholeFile(xml, "<FSData/>"));
        DeleteFileA(bgl.c_str());
        if (c.bglBefore) {
            ASSERT_FALSE(WriteWholeFile(bgl, "old"));
            FILETIME past = {0, 0x01D00000};  // in 2014
            UniqueHandle file(CreateFileA(bgl.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(file && SetFileTime(file.get(), nullptr, nullptr, &past));
        }
        Compile compile{xml, bgl, c.deleteSource, LastWriteTime(bgl), shell};
        if (c.bglAfter) {
            ASSERT_FALSE(WriteWholeFile(bgl, "new"));
        }
        UniqueHandle held(c.heldSource ? CreateFileA(xml.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                       : INVALID_HANDLE_VALUE);
        const Result<Done> finished = FinishCompile(compile);
        const std::string& message = finished.report;
        held.Reset();
        EXPECT_EQ(!finished.error, c.succeeds);
        if (c.succeeds) {
            EXPECT_EQ(message, "");
        } else if (c.bglAfter) {
            EXPECT_EQ(message.rfind("The .bgl file \"" + bgl + "\" was made, but the XML source \"" + xml +
                                        "\" could not be deleted.\r\n\r\n",
                                    0),
                      0u)
                << message;
        } else {
            EXPECT_EQ(message, CompileFailedMessage(bgl, xml, shell->output));
        }
        EXPECT_EQ(GetFileAttributesA(xml.c_str()) != INVALID_FILE_ATTRIBUTES, c.sourceKept);
    }
}

TEST(StartBatch, RunsTheBatchFileInItsFolderWithNothingExpandedButItsOwnLinesAndCatchesItsOutput) {
    // A folder named with %OS%: had the shell been given its path, it would run the batch file of
    // the folder named after the expansion instead.
    TestFolder root;
    const std::string folder = root.Path("run %OS% here");
    const std::string decoy = root.Path("run Windows_NT here");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) && CreateDirectoryA(decoy.c_str(), nullptr));
    ASSERT_FALSE(WriteWholeFile(decoy + "\\run.bat", "echo the wrong batch file\r\n"));
    // Echo is off, so the shell prints no command lines; %% stays a percent sign and !OS! stays
    // as it is, since delayed expansion is off whatever the registry says.
    ASSERT_FALSE(WriteWholeFile(folder + "\\run.bat",
                                "echo [%%OS%%] [!OS!] \x81"
                                "ber\r\ncd\r\necho to error 1>&2\r\n"));
    std::atomic<int> calls{0};
    const Result<std::shared_ptr<const ShellRun>> start = StartBatch(folder, "run.bat", [&calls] { ++calls; });
    ASSERT_FALSE(start.error) << start.error.message();
    ASSERT_TRUE(start.value);
    ASSERT_TRUE(WaitUntil([&] { return calls == 1; }));
    EXPECT_TRUE(start.value->ended);
    std::string expected =
        "[%OS%] [!OS!] \xFC"
        "ber\r\n" +
        folder + "\r\nto error \r\n";
    if (!WesternCodePages()) expected = start.value->output;
    EXPECT_EQ(start.value->output, expected);
}

}  // namespace
