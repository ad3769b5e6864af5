#include "generator/save_and_compile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "generator/compile_batch.h"
#include "golden_texts.h"
#include "storage/file_system.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

// Runs with the settings and batch file beside the test program, as they are beside
// Zonewright.exe, and with a shell that only records what it is asked to start. Its paths for
// the batch file are the paths themselves, but for those with a "^", which it cannot read.
class SaveSourceAndCompileTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override {
        std::filesystem::remove(SettingsFilePath());
        std::filesystem::remove(BatchFilePath());
    }
    void Reset() {
        TearDown();
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\FS9\\bglcomp.exe\r\n"));
        ASSERT_FALSE(WriteWholeFile(BatchFilePath(), "earlier batch\r\n"));
        started.clear();
    }

    Result<std::unique_ptr<Compile>> Save(const std::string& xml, const std::string& source = "<FSData/>\r\n") {
        Shell shell;
        shell.pathForBatch = [](const std::string& path) {
            Result<std::string> forBatch{path, {}, ""};
            if (path.find('^') != std::string::npos) forBatch.error = Failure::UnreadableByShell;
            return forBatch;
        };
        shell.start = [this](const std::string& folder, const std::string& name, const HeldFile&,
                             std::function<void()>) {
            started.push_back(folder + "|" + name);
            Result<std::shared_ptr<const ShellRun>> start;
            start.error = startError;
            if (!startError) start.value = std::make_shared<ShellRun>();
            return start;
        };
        return SaveSourceAndCompile(
            xml, source, true, [] {}, shell);
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
    Result<std::unique_ptr<Compile>> saved = Save(xml);
    EXPECT_FALSE(saved.error);
    EXPECT_EQ(saved.report, "");
    EXPECT_EQ(ReadWholeFile(xml).value, "<FSData/>\r\n\r\n");
    // Deleting the source is the program's own work, after the compile: no DEL line.
    EXPECT_EQ(Batch(), "\"C:\\FS9\\bglcomp.exe\" \"" + xml + "\"\r\n");
    EXPECT_EQ(started, std::vector<std::string>{ProgramFolder() + "|Zonewright.bat"});
    ASSERT_TRUE(saved.value);
    EXPECT_EQ(saved.value->bglPath, folder.Path("my scenery.bgl"));
    EXPECT_TRUE(saved.value->deleteSource);

    // Until that compile is finished its batch file is held: a second save, as another copy of
    // the program would make it, saves its source but leaves the batch file and starts nothing.
    const std::string second = folder.Path("second.xml");
    const Result<std::unique_ptr<Compile>> refused = Save(second);
    EXPECT_EQ(refused.error, Failure::FileInUse);
    EXPECT_EQ(refused.report, "The batch file could not be written: \"" + BatchFilePath() +
                                  "\".\r\n\r\nIt is in use: another copy of Zonewright is most likely compiling "
                                  "with it. Save again once that compile has finished.\r\nThe XML source was saved, "
                                  "but the compiler was not started.");
    EXPECT_EQ(ReadWholeFile(second).value, "<FSData/>\r\n\r\n");
    EXPECT_EQ(Batch(), "\"C:\\FS9\\bglcomp.exe\" \"" + xml + "\"\r\n");
    EXPECT_EQ(started.size(), 1u);
    saved.value.reset();
    EXPECT_FALSE(Save(second).error);
    EXPECT_EQ(Batch(), "\"C:\\FS9\\bglcomp.exe\" \"" + second + "\"\r\n");
}

TEST_F(SaveSourceAndCompileTest, FailuresAreReportedAndLeaveWhatWasDone) {
    struct Case {
        const char* name;
        std::optional<std::string> compiler;  // none: the settings cannot be read
        std::string xmlName;
        std::error_code startError;
        const char* report;
        bool xmlSaved;
        const char* batch;
    };
    const Case cases[] = {
        // The compiler would write its .bgl over it: refused before anything is written.
        {"a name the source would destroy",
         "C:\\FS9\\bglcomp.exe",
         "area.BGL",
         {},
         "The XML source cannot be saved as \"",
         false,
         "earlier batch\r\n"},
        // A folder of that name: the source cannot take its place.
        {"source not saved",
         "C:\\FS9\\bglcomp.exe",
         "folder.xml",
         {},
         "The XML source could not be saved to \"",
         false,
         "earlier batch\r\n"},
        {"settings unreadable", std::nullopt, "x.xml", {}, "The compiler location could not be read from \"", true, ""},
        {"no compiler location", "", "x.xml", {}, kDefineCompiler, true, ""},
        {"a compiler the shell cannot read",
         "C:\\a^b\\bglcomp.exe",
         "x.xml",
         {},
         "The compiler location \"C:\\a^b\\bglcomp.exe\" cannot be written into the batch file",
         true,
         ""},
        {"a source the shell cannot read",
         "C:\\FS9\\bglcomp.exe",
         "a^b.xml",
         {},
         "The XML source was saved to \"",
         true,
         ""},
        {"batch file not started", "C:\\FS9\\bglcomp.exe", "x.xml", std::make_error_code(std::errc::io_error),
         "The batch file could not be started: \"", true, "\"C:\\FS9\\bglcomp.exe\" \"%s\"\r\n"},
    };
    ASSERT_TRUE(std::filesystem::create_directory(folder.Path("folder.xml")));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        if (c.compiler) {
            SetCompiler(*c.compiler);
        } else {
            // A folder in the settings file's place cannot be read as one.
            std::filesystem::remove(SettingsFilePath());
            ASSERT_TRUE(std::filesystem::create_directory(SettingsFilePath()));
        }
        const std::string xml = folder.Path(c.xmlName);
        startError = c.startError;
        const Result<std::unique_ptr<Compile>> failed = Save(xml, "text");
        EXPECT_TRUE(failed.error);
        EXPECT_FALSE(failed.value);
        EXPECT_EQ(failed.report.rfind(c.report, 0), 0u) << failed.report;
        EXPECT_EQ(ReadWholeFile(xml).value, c.xmlSaved ? "text\r\n" : "");
        std::string batch = c.batch;
        if (const size_t at = batch.find("%s"); at != std::string::npos) batch.replace(at, 2, xml);
        EXPECT_EQ(Batch(), batch);
        EXPECT_EQ(started.size(), c.startError ? 1u : 0u);
    }
}

TEST(FinishCompile, SucceedsOnlyOnTheCompilersWordAndANewBglAndThenDeletesTheSourceIfAsked) {
    TestFolder folder;
    const std::string xml = folder.Path("area.xml");
    const std::string bgl = folder.Path("area.bgl");
    struct Case {
        const char* name;
        const char* bglBefore;  // nullptr: none
        const char* bglAfter;   // nullptr: not written again
        unsigned long exitCode;
        bool deleteSource, undeletableSource;
        const char* opening;  // of the report; nullptr: the compile succeeded
        bool sourceKept;
    };
    const char* const kNotWritten = "No .bgl file was made: the compiler did not write \"";
    const Case cases[] = {
        {"no .bgl", nullptr, nullptr, 0, true, false, kNotWritten, true},
        // Not written again, or so within one step of a coarse clock: to be checked.
        {"only an old .bgl", "old!", nullptr, 0, true, false, "The compiler reported success, but \"", true},
        {"an empty .bgl", nullptr, "", 0, true, false, "No .bgl file was made: the compiler left \"", true},
        {"a failure, no .bgl", nullptr, nullptr, 1, true, false, "The compiler failed (exit code 1). It did not write",
         true},
        {"a failure after part of the .bgl", "old!", "part", 1, true, false,
         "The compiler failed (exit code 1). The .bgl file \"", true},
        {"its console closed", nullptr, "part", 0xC000013A, true, false,
         "The compiler failed (exit code 0xC000013A). The .bgl file \"", true},
        {"a new .bgl, source kept", nullptr, "new!", 0, false, false, nullptr, true},
        {"a new .bgl over an old one, source deleted", "old!", "new!", 0, true, false, nullptr, false},
        {"a new .bgl, the source cannot be deleted", nullptr, "new!", 0, true, true, "The .bgl file \"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveFile(bgl);
        // A source that cannot be deleted: a folder that holds a file.
        const std::string source = c.undeletableSource ? folder.Path("held.xml") : xml;
        if (c.undeletableSource) {
            ASSERT_TRUE(std::filesystem::create_directory(source));
            ASSERT_FALSE(WriteWholeFile(folder.Path("held.xml/inside"), ""));
        } else {
            ASSERT_FALSE(WriteWholeFile(xml, "<FSData/>"));
        }
        if (c.bglBefore) {
            ASSERT_FALSE(WriteWholeFile(bgl, c.bglBefore));
            // As a file system that counts whole seconds tells it, in the second of the start.
            ASSERT_TRUE(MoveWriteTimeToEndOfItsSecond(bgl));
        }
        auto shell = std::make_shared<ShellRun>();
        shell->output = "area.xml(3): error: bad latitude\r\n";
        shell->exitCode = c.exitCode;
        shell->ended = true;
        Compile compile{source, bgl, c.deleteSource, StatFile(bgl), shell, nullptr};
        // Within the same second, and of the same size as the old one.
        if (c.bglAfter) {
            ASSERT_FALSE(WriteWholeFile(bgl, c.bglAfter));
        }
        const Result<Done> finished = FinishCompile(compile);
        EXPECT_EQ(!finished.error, c.opening == nullptr);
        EXPECT_EQ(finished.report.rfind(c.opening ? c.opening : "", 0), 0u) << finished.report;
        if (c.opening && !c.undeletableSource) {
            EXPECT_NE(finished.report.find("\r\n\r\nThe compiler printed:\r\narea.xml(3): error: bad latitude\r\n\r\n"
                                           "The XML source \"" +
                                           source + "\" was kept."),
                      std::string::npos)
                << finished.report;
        }
        EXPECT_EQ(TryReading(source) == std::error_code{} || c.undeletableSource, c.sourceKept);
    }
}

}  // namespace
