#include <windows.h>

#include <gtest/gtest.h>

#include "storage/ini_write.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

TEST(WriteWholeFileOnWindows, AFailedReplaceLeavesTheOldFileIntact) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    const std::string old = "[DEFAULT]\r\nBGLCOMP=C:\\old\\bglcomp.exe\r\n";
    ASSERT_FALSE(WriteWholeFile(path, old));
    // Held open without sharing by another, the file cannot be replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteWholeFile(path, "new content"));
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path).bytes, old);
    EXPECT_EQ(GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WriteWholeFileOnWindows, ReplacesAnExistingFileWhole) {
    TestFolder folder;
    const std::string path = folder.Path("out.txt");
    ASSERT_FALSE(WriteWholeFile(path, "a much longer earlier content\r\n"));
    ASSERT_FALSE(WriteWholeFile(path, "short"));
    EXPECT_EQ(ReadWholeFile(path).bytes, "short");
}

}  // namespace
