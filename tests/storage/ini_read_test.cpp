#include "storage/ini_read.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lead_bytes.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

TEST(FindIniValue, MatchesSectionAndKeyWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"as written by the program", "[DEFAULT]\r\nBGLCOMP=C:\\FS9\\SDK\\bglcomp.exe\r\n", "C:\\FS9\\SDK\\bglcomp.exe"},
        {"mixed-case header, lower-case key", "[Default]\r\nbglcomp=C:\\Mixed Case\\BglComp.EXE\r\n",
         "C:\\Mixed Case\\BglComp.EXE"},
        {"value keeps its blanks", "[DEFAULT]\r\nBGLCOMP=  two  blanks  \r\n", "  two  blanks  "},
        {"no line end after the value", "[DEFAULT]\r\nBGLCOMP=x", "x"},
        {"empty value", "[DEFAULT]\r\nBGLCOMP=\r\n", ""},
        {"key in another section", "[OTHER]\r\nBGLCOMP=no\r\n", ""},
        {"key before any section", "BGLCOMP=no\r\n[DEFAULT]\r\n", ""},
        {"blank after the header's bracket", "[DEFAULT] \r\nBGLCOMP=no\r\n", ""},
        {"blank before the equals sign", "[DEFAULT]\r\nBGLCOMP =no\r\n", ""},
        {"longer key name", "[DEFAULT]\r\nBGLCOMPX=no\r\nBGLCOMP=yes\r\n", "yes"},
        {"value holding a bracket is no key line", "[DEFAULT]\r\nBGLCOMP=C:\\[x]\\b.exe\r\nBGLCOMP=later\r\n", ""},
        {"a bracket line ends the section", "[DEFAULT]\r\nnote [x]\r\nBGLCOMP=no\r\n", ""},
        {"the first matching line wins", "[DEFAULT]\r\nBGLCOMP=first\r\nBGLCOMP=second\r\n", "first"},
        {"a second section of the name is searched", "[DEFAULT]\r\nA=1\r\n[X]\r\n[default]\r\nBGLCOMP=2\r\n", "2"},
        {"a lone CR ends a line", "[DEFAULT]\rBGLCOMP=cr\r", "cr"},
        {"a lone LF does not", "[DEFAULT]\nBGLCOMP=lf\n", ""},
        {"LF inside the value line stays in the value", "[DEFAULT]\r\nBGLCOMP=a\nb\r\n", "a\nb"},
        {"empty text", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindIniValue(c.text, "DEFAULT", "BGLCOMP"), c.expected) << c.name;
    }
}

// In a double-byte code page a "[" may be the second byte of a character: no bracket then.
TEST(FindIniValue, ReadsAPathOfDoubleByteCharactersWhole) {
    const std::string path = "C:\\\x95\x5B\x83\x5C\\bglcomp.exe";
    const std::string text = "[DEFAULT]\r\nBGLCOMP=" + path + "\r\n";
    EXPECT_EQ(FindIniValue(text, "DEFAULT", "BGLCOMP", JapaneseLeadBytes()), path);
    EXPECT_TRUE(ReadsBackAsIniValue(path, JapaneseLeadBytes()));
    // Byte by byte, as in a single-byte code page, the same bytes hold a bracket.
    EXPECT_EQ(FindIniValue(text, "DEFAULT", "BGLCOMP", LeadBytes()), "");
    EXPECT_FALSE(ReadsBackAsIniValue(path, LeadBytes()));
}

TEST(ReadIniValue, CreatesAMissingFileEmpty) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    const Result<std::string> result = ReadIniValue(path, "DEFAULT", "BGLCOMP");
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.value, "");
    const Result<std::string> content = ReadWholeFile(path);
    EXPECT_FALSE(content.error);
    EXPECT_EQ(content.value, "");
}

TEST(ReadIniValue, ReadsTheValueAndLeavesTheFileAsItWas) {
    TestFolder folder;
    const std::string path = folder.Path("ZonewrightV2.ini");
    const std::string text = "[other]\r\nBGLCOMP=wrong\r\n\r\n[DEFAULT]\r\nBGLCOMP=C:\\Program Files\\bglcomp.exe\r\n";
    ASSERT_FALSE(WriteWholeFile(path, text));
    const Result<std::string> result = ReadIniValue(path, "DEFAULT", "BGLCOMP");
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.value, "C:\\Program Files\\bglcomp.exe");
    EXPECT_EQ(ReadWholeFile(path).value, text);
}

TEST(ReadIniValue, ReportsAFolderThatCannotHoldTheFile) {
    TestFolder folder;
    const Result<std::string> result =
        ReadIniValue(folder.Path("no such folder") + "/ZonewrightV2.ini", "DEFAULT", "BGLCOMP");
    EXPECT_TRUE(result.error);
    EXPECT_EQ(result.value, "");
}

}  // namespace
