#include "generator/batch_shell_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>

#include "storage/file_system.h"
#include "storage/text_file.h"
#include "test_folder.h"
#include "win32/handles.h"
#include "win32_test_support.h"

namespace {

bool WesternCodePages() {
    return GetACP() == 1252 && GetOEMCP() == 437;
}

TEST(PathForBatch, WritesPathsInTheShellsCodePageWithOnlyFoldersShortened) {
    TestFolder folder;
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
    // It waits for the file "release", and ends with the exit code its last command leaves.
    ASSERT_FALSE(WriteWholeFile(folder + "\\run.bat",
                                "echo [%%OS%%] [!OS!] \x81"
                                "ber\r\ncd\r\necho to error 1>&2\r\n:wait\r\nif not exist release goto wait\r\n"
                                "cmd /c exit 3\r\n"));
    // A handle of this program that others could inherit: the shell is not given it.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const std::string probe = root.Path("probe");
    UniqueHandle held(CreateFileA(probe.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  &inheritable, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(held);
    std::atomic<int> calls{0};
    Result<std::unique_ptr<HeldFile>> batch = HoldFile(folder + "\\run.bat");
    ASSERT_FALSE(batch.error);
    const Result<std::shared_ptr<const ShellRun>> start =
        StartBatch(folder, "run.bat", *batch.value, [&calls] { ++calls; });
    ASSERT_FALSE(start.error) << start.error.message();
    ASSERT_TRUE(start.value);
    held.Reset();
    EXPECT_TRUE(UniqueHandle(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)))
        << "the shell holds the probe it inherited";
    EXPECT_EQ(calls, 0);
    ASSERT_FALSE(WriteWholeFile(folder + "\\release", ""));
    ASSERT_TRUE(WaitUntil([&] { return calls == 1; }));
    EXPECT_TRUE(start.value->ended);
    EXPECT_EQ(start.value->exitCode, 3u);
    std::string expected =
        "[%OS%] [!OS!] \xFC"
        "ber\r\n" +
        folder + "\r\nto error \r\n";
    if (!WesternCodePages()) expected = start.value->output;
    EXPECT_EQ(start.value->output, expected);
}

}  // namespace
