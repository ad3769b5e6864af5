#include "generator/save_and_compile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "storage/program_folder.h"
#include "storage/text_file.h"
#include "test_folder.h"

#include <vector>

namespace {

// Runs with the settings and batch file beside the test program, as they are beside Zonewright.exe.
class SaveSourceAndCompileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A compiler location that names no program: the batch file runs and fails harmlessly.
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\no such folder\\bglcomp.exe\r\n"));
        ASSERT_FALSE(WriteWholeFile(BatchFilePath(), "earlier batch\r\n"));
    }
    void TearDown() override {
        DeleteFileA(SettingsFilePath().c_str());
        DeleteFileA(BatchFilePath().c_str());
    }

    // Saves and compiles, recording the start of the batch file in place of running it.
    std::string Save(const std::string& xml, const std::string& source, bool deleteSource) {
        return SaveSourceAndCompile(xml, source, deleteSource, [this](const std::string& batch) {
            started.push_back(batch);
            return startError;
        });
    }
    std::string Batch() { return ReadWholeFile(BatchFilePath()).bytes; }

    TestFolder folder;
    std::vector<std::string> started;
    std::error_code startError;
};

TEST_F(SaveSourceAndCompileTest, SavesTheSourceAndWritesTheBatchFile) {
    const std::string xml = folder.Path("my scenery.xml");
    ASSERT_FALSE(WriteWholeFile(xml, "a much longer earlier file that must not shine through\r\n"));
    EXPECT_EQ(Save(xml, "<FSData/>\r\n", false), "");
    EXPECT_EQ(ReadWholeFile(xml).bytes, "<FSData/>\r\n\r\n");
    EXPECT_EQ(Batch(), "\"C:\\no such folder\\bglcomp.exe\" \"" + xml + "\"\r\n");
    EXPECT_EQ(started, std::vector<std::string>{BatchFilePath()});
}

TEST_F(SaveSourceAndCompileTest, ABatchFileThatCannotBeStartedIsReported) {
    startError = std::error_code(ERROR_FILE_NOT_FOUND, std::system_category());
    const std::string xml = folder.Path("x.xml");
    const std::string failure = Save(xml, "text", true);
    EXPECT_EQ(failure.rfind("The batch file could not be started: \"" + BatchFilePath() + "\".", 0), 0u) << failure;
    EXPECT_EQ(ReadWholeFile(xml).bytes, "text\r\n");
    EXPECT_NE(Batch(), "");
}

TEST_F(SaveSourceAndCompileTest, WritesAccentedPathsInTheShellsCodePage) {
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs the Western code pages";
    const std::string xml = folder.Path("J\xFCrgen.xml");  // u umlaut in 1252
    EXPECT_EQ(Save(xml, "", true), "");
    std::string oem = xml;
    oem.replace(oem.find('\xFC'), 1, "\x81");  // u umlaut in 437
    EXPECT_EQ(Batch(), "\"C:\\no such folder\\bglcomp.exe\" \"" + oem + "\"\r\nDEL \"" + oem + "\"\r\n");
}

TEST_F(SaveSourceAndCompileTest, UsesTheShortFormOfAPathTheShellCannotRead) {
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs the Western code pages";
    const std::string xml = folder.Path("price \x80 list.xml");  // the euro sign has no form in 437
    EXPECT_EQ(Save(xml, "", false), "");
    char shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(xml.c_str(), shortPath, MAX_PATH), 0u);
    EXPECT_EQ(Batch(), "\"C:\\no such folder\\bglcomp.exe\" \"" + std::string(shortPath) + "\"\r\n");
    EXPECT_EQ(std::string(shortPath).find('\x80'), std::string::npos);
}

TEST_F(SaveSourceAndCompileTest, ACompilerPathTheShellCannotReadIsReported) {
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs the Western code pages";
    ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), "[DEFAULT]\r\nBGLCOMP=C:\\missing \x80\\bglcomp.exe\r\n"));
    const std::string xml = folder.Path("x.xml");
    const std::string failure = Save(xml, "text", false);
    EXPECT_NE(failure.find("C:\\missing \x80\\bglcomp.exe"), std::string::npos) << failure;
    EXPECT_EQ(ReadWholeFile(xml).bytes, "text\r\n");
    EXPECT_EQ(Batch(), "");
}

TEST_F(SaveSourceAndCompileTest, ACompilerLocationThatWouldBreakTheBatchLineIsRefused) {
    for (const char* location : {"C:\\FS9\\bglcomp.exe\nstart calc.exe & rem ", "C:\\bglcomp.exe\" & calc & \""}) {
        ASSERT_FALSE(WriteWholeFile(SettingsFilePath(), std::string("[DEFAULT]\r\nBGLCOMP=") + location + "\r\n"));
        const std::string failure = Save(folder.Path("x.xml"), "text", true);
        EXPECT_NE(failure.find("cannot be written into the batch file"), std::string::npos) << failure;
        EXPECT_EQ(Batch(), "");
    }
    EXPECT_TRUE(started.empty());
}

TEST_F(SaveSourceAndCompileTest, FailuresAreReportedAndLeaveWhatWasDone) {
    const std::string xml = folder.Path("held.xml");
    ASSERT_FALSE(WriteWholeFile(xml, "old"));
    HANDLE held = CreateFileA(xml.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string failure = Save(xml, "new", true);
    CloseHandle(held);
    EXPECT_EQ(failure.rfind("The XML source could not be saved to \"" + xml + "\".", 0), 0u) << failure;
    EXPECT_EQ(ReadWholeFile(xml).bytes, "old");
    EXPECT_EQ(Batch(), "earlier batch\r\n");
    EXPECT_TRUE(started.empty());

    // The settings held: the XML file is saved and the batch file stays empty.
    held = CreateFileA(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string unread = Save(xml, "new", true);
    CloseHandle(held);
    EXPECT_EQ(unread.rfind("The compiler location could not be read from \"" + SettingsFilePath() + "\".", 0), 0u)
        << unread;
    EXPECT_EQ(ReadWholeFile(xml).bytes, "new\r\n");
    EXPECT_EQ(Batch(), "");
}

}  // namespace
