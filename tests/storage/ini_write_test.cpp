#include "storage/ini_write.h"

#include <gtest/gtest.h>

#include <string>

#include "lead_bytes.h"
#include "storage/ini_read.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

TEST(SetIniValue, PlacesTheKeyAndTidiesTheText) {
    struct Case {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"empty file", "", "DEFAULT", "BGLCOMP", "C:\\FS9\\bglcomp.exe", "[DEFAULT]\r\nBGLCOMP=C:\\FS9\\bglcomp.exe\r\n"},
        {"new key goes directly under the header", "[DEFAULT]\r\nOTHER=1\r\n", "DEFAULT", "BGLCOMP", "v",
         "[DEFAULT]\r\nBGLCOMP=v\r\nOTHER=1\r\n"},
        {"existing key is replaced in place", "[A]\r\nx=1\r\n[DEFAULT]\r\nA=1\r\nBGLCOMP=old\r\nZ=2\r\n", "DEFAULT",
         "BGLCOMP", "new", "[A]\r\nx=1\r\n[DEFAULT]\r\nA=1\r\nBGLCOMP=new\r\nZ=2\r\n"},
        {"key as the last line without a line end", "[DEFAULT]\r\nBGLCOMP=old", "DEFAULT", "BGLCOMP", "new",
         "[DEFAULT]\r\nBGLCOMP=new\r\n"},
        {"new section after one empty line", "[A]\r\nx=1\r\n", "DEFAULT", "BGLCOMP", "v",
         "[A]\r\nx=1\r\n\r\n[DEFAULT]\r\nBGLCOMP=v\r\n"},
        {"matched without regard to case, written as passed", "[default]\r\nBGLCOMP=old\r\n", "DEFAULT", "bglcomp",
         "new", "[default]\r\nbglcomp=new\r\n"},
        {"the same key in an earlier section is left alone", "[OTHER]\r\nBGLCOMP=o\r\n[DEFAULT]\r\nX=1\r\n",
         "DEFAULT", "BGLCOMP", "v", "[OTHER]\r\nBGLCOMP=o\r\n[DEFAULT]\r\nBGLCOMP=v\r\nX=1\r\n"},
        {"the same key in a later section is left alone", "[DEFAULT]\r\nX=1\r\n[OTHER]\r\nBGLCOMP=o\r\n", "DEFAULT",
         "BGLCOMP", "v", "[DEFAULT]\r\nBGLCOMP=v\r\nX=1\r\n[OTHER]\r\nBGLCOMP=o\r\n"},
        {"a blank before the equals sign is another key", "[DEFAULT]\r\nBGLCOMP =x\r\n", "DEFAULT", "BGLCOMP", "v",
         "[DEFAULT]\r\nBGLCOMP=v\r\nBGLCOMP =x\r\n"},
        {"empty lines at both ends go, runs shrink to one",
         "\r\n\r\n[A]\r\nx=1\r\n\r\n\r\n\r\n[B]\r\ny=2\r\n\r\n\r\n", "B", "y", "3",
         "[A]\r\nx=1\r\n\r\n[B]\r\ny=3\r\n"},
        {"control characters at the very end go", "", "DEFAULT", "BGLCOMP", "path\t\x01",
         "[DEFAULT]\r\nBGLCOMP=path\r\n"},
        {"empty value", "[DEFAULT]\r\nBGLCOMP=old\r\n", "DEFAULT", "BGLCOMP", "", "[DEFAULT]\r\nBGLCOMP=\r\n"},
        {"characters above 127 are no control characters", "", "S", "K", "\xE9", "[S]\r\nK=\xE9\r\n"},
        {"a header ended by a lone CR at the end", "[DEFAULT]\r", "DEFAULT", "BGLCOMP", "v",
         "[DEFAULT]\rBGLCOMP=v\r\n"},
        {"a header ended by a lone CR before a line", "[DEFAULT]\rX=1\r\n", "DEFAULT", "BGLCOMP", "v",
         "[DEFAULT]\rBGLCOMP=v\r\nX=1\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetIniValue(c.before, c.section, c.key, c.value), c.after) << c.name;
    }
    // A "[" as the second byte of a double-byte character does not end the section.
    const std::string before = "[DEFAULT]\r\nNOTE=\x95\x5B\r\nBGLCOMP=old\r\n";
    EXPECT_EQ(SetIniValue(before, "DEFAULT", "BGLCOMP", "new", JapaneseLeadBytes()),
              "[DEFAULT]\r\nNOTE=\x95\x5B\r\nBGLCOMP=new\r\n");
    EXPECT_EQ(SetIniValue(before, "DEFAULT", "BGLCOMP", "new", LeadBytes()),
              "[DEFAULT]\r\nBGLCOMP=new\r\nNOTE=\x95\x5B\r\nBGLCOMP=old\r\n");
}

TEST(SetIniValue, WorksOnTextsOfAnySize) {
    std::string big = "[FILLER]\r\n";
    while (big.size() < 100000) big += "line" + std::to_string(big.size()) + "=some filler text\r\n";
    const std::string withSection = big + "[DEFAULT]\r\nBGLCOMP=old\r\nAFTER=1\r\n";
    const std::string replaced = SetIniValue(withSection, "DEFAULT", "BGLCOMP", "new");
    EXPECT_EQ(replaced, big + "[DEFAULT]\r\nBGLCOMP=new\r\nAFTER=1\r\n");
    EXPECT_EQ(FindIniValue(replaced, "DEFAULT", "BGLCOMP"), "new");
}

TEST(SetIniValue, TidiesLongRunsOfEmptyLinesInOnePass) {
    // 200 KB of empty lines took seconds when each run was shortened in place.
    std::string blank;
    for (int i = 0; i < 100000; ++i) blank += "\r\n";
    EXPECT_EQ(SetIniValue("[A]\r\nx=1" + blank + "[B]\r\ny=2" + blank, "B", "z", "3"),
              "[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\ny=2\r\n");
}

TEST(ReplaceIniFile, CreatesAMissingFileThatTheReaderReadsBack) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    for (const char* value : {"C:\\a b\\bglcomp.exe", " ", "a=b=c", "", "D:\\FS9 SDK\\BGLComp.EXE"}) {
        ASSERT_FALSE(ReplaceIniFile(path, "DEFAULT", "BGLCOMP", value)) << value;
        EXPECT_EQ(ReadWholeFile(path).value, std::string("[DEFAULT]\r\nBGLCOMP=") + value + "\r\n");
        EXPECT_EQ(ReadIniValue(path, "DEFAULT", "BGLCOMP").value, value);
    }
}

TEST(ReplaceIniFile, LeavesExactlyTheOneEntry) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    ASSERT_FALSE(WriteWholeFile(path, "[Other]\r\nkeep=no\r\n[DEFAULT]\r\nBGLCOMP=old\r\nX=1\r\n"));
    EXPECT_FALSE(ReplaceIniFile(path, "DEFAULT", "BGLCOMP", "C:\\new\\bglcomp.exe"));
    EXPECT_EQ(ReadWholeFile(path).value, "[DEFAULT]\r\nBGLCOMP=C:\\new\\bglcomp.exe\r\n");
}

TEST(ReplaceIniFile, ReportsAFolderThatCannotHoldTheFile) {
    TestFolder folder;
    EXPECT_TRUE(ReplaceIniFile(folder.Path("missing") + "/ZonewrightV2.ini", "DEFAULT", "BGLCOMP", "x"));
}

}  // namespace
