#include <windows.h>

#include <gtest/gtest.h>

#include "storage/ini_read.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

TEST(ReadIniValueOnWindows, ResetsTheAttributesToArchiveAlone) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    ASSERT_FALSE(WriteWholeFile(path, "[DEFAULT]\r\nBGLCOMP=c:\\x.exe\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const Result<std::string> result = ReadIniValue(path, "DEFAULT", "BGLCOMP");
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.value, "c:\\x.exe");
    EXPECT_EQ(GetFileAttributesA(path.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST(ReadIniValueOnWindows, PassesOnTheErrorOfAFileHeldOpenByAnother) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    ASSERT_FALSE(WriteWholeFile(path, "[DEFAULT]\r\nBGLCOMP=c:\\x.exe\r\n"));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Result<std::string> result = ReadIniValue(path, "DEFAULT", "BGLCOMP");
    CloseHandle(held);
    EXPECT_TRUE(result.error);
    EXPECT_EQ(result.value, "");
}

}  // namespace
