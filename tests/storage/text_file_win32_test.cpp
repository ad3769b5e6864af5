#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/ini_write.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

// The names in the folder (plain ones here), so that a temporary file left behind shows.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteWholeFileOnWindows, AFailedReplaceLeavesTheOldFileIntactAndNoOtherFileBehind) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    const std::string old = "[DEFAULT]\r\nBGLCOMP=C:\\old\\bglcomp.exe\r\n";
    ASSERT_FALSE(WriteWholeFile(path, old));
    // The user's own files whose names a temporary file might have taken.
    for (const char* name : {"ZonewrightV2.ini.tmp", "ZonewrightV2.tmp"})
        ASSERT_FALSE(WriteWholeFile(folder.Path(name), name));
    // Held open without sharing by another, the file cannot be replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteWholeFile(path, "new content"));
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path).value, old);
    ASSERT_FALSE(WriteWholeFile(path, "new"));
    EXPECT_EQ(ReadWholeFile(path).value, "new");
    EXPECT_EQ(Entries(folder.path()),
              (std::vector<std::string>{"ZonewrightV2.ini", "ZonewrightV2.ini.tmp", "ZonewrightV2.tmp"}));
    for (const char* name : {"ZonewrightV2.ini.tmp", "ZonewrightV2.tmp"})
        EXPECT_EQ(ReadWholeFile(folder.Path(name)).value, name);
}

TEST(WriteWholeFileOnWindows, ReplacesAnExistingFileWhole) {
    TestFolder folder;
    const std::string path = folder.Path("out.txt");
    ASSERT_FALSE(WriteWholeFile(path, "a much longer earlier content\r\n"));
    ASSERT_FALSE(WriteWholeFile(path, "short"));
    EXPECT_EQ(ReadWholeFile(path).value, "short");
}

}  // namespace
