#include "storage/cds_cini_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "storage/text_file.h"
#include "test_folder.h"

namespace {

class CDS_CIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.Path("project.exc");
        ini.FileName(path);
    }
    void Write(const std::string& text) { ASSERT_FALSE(WriteWholeFile(path, text)); }

    TestFolder folder;
    std::string path;
    CDS_CIni ini;
};

TEST_F(CDS_CIniTest, ReadValueFailsOnAnEmptyValueAndLeavesTheOutputAlone) {
    Write("[s]\r\nempty=\r\nfull=x y\r\n");
    std::string value = "before";
    EXPECT_FALSE(ini.ReadValue("s", "empty", value));
    EXPECT_EQ(value, "before");
    EXPECT_FALSE(ini.LastErrorDescription().empty());
    EXPECT_FALSE(ini.ReadValue("s", "missing", value));
    EXPECT_EQ(value, "before");
    EXPECT_TRUE(ini.ReadValue("S", "FULL", value));
    EXPECT_EQ(value, "x y");
}

TEST_F(CDS_CIniTest, ReadValueCutsALongValueTo254Characters) {
    const std::string longValue(300, 'v');
    Write("[s]\r\nk=" + longValue + "\r\n");
    std::string value;
    EXPECT_TRUE(ini.ReadValue("s", "k", value));
    EXPECT_EQ(value, longValue.substr(0, 254));
}

TEST_F(CDS_CIniTest, ReadSectionSplitsAtTheFirstEquals) {
    Write("[other]\r\nz=9\r\n[s]\r\na=1\r\nb=x=y\r\n");
    std::vector<std::string> keys = {"old"}, values = {"old", "older"};
    EXPECT_TRUE(ini.ReadSection("s", keys, values));
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(values, (std::vector<std::string>{"1", "x=y"}));
}

TEST_F(CDS_CIniTest, ReadSectionOfAMissingSectionLeavesTheArrays) {
    Write("[s]\r\na=1\r\n");
    std::vector<std::string> keys = {"k"}, values = {"v"};
    EXPECT_FALSE(ini.ReadSection("missing", keys, values));
    EXPECT_EQ(keys, std::vector<std::string>{"k"});
    EXPECT_EQ(values, std::vector<std::string>{"v"});
    EXPECT_FALSE(ini.LastErrorDescription().empty());
}

TEST_F(CDS_CIniTest, ReadSectionStopsAtALineWithoutEquals) {
    Write("[s]\r\na=1\r\njust text\r\nb=2\r\n");
    std::vector<std::string> keys, values;
    EXPECT_FALSE(ini.ReadSection("s", keys, values));
    EXPECT_EQ(keys, std::vector<std::string>{"a"});
}

TEST_F(CDS_CIniTest, WriteSectionReplacesTheSectionAndKeepsTheOthers) {
    Write("[keep]\r\nx=1\r\n[s]\r\nold=gone\r\n");
    EXPECT_TRUE(ini.WriteSection("s", {"a", "b"}, {"1 2", "x=y"}));
    std::vector<std::string> keys, values;
    EXPECT_TRUE(ini.ReadSection("s", keys, values));
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(values, (std::vector<std::string>{"1 2", "x=y"}));
    std::string kept;
    EXPECT_TRUE(ini.ReadValue("keep", "x", kept));
    EXPECT_EQ(kept, "1");
    std::vector<std::string> sections;
    EXPECT_TRUE(ini.Enum_SectionNames(sections));
    EXPECT_EQ(sections, (std::vector<std::string>{"keep", "s"}));
}

TEST_F(CDS_CIniTest, WriteSectionRefusesArraysOfDifferentSizes) {
    EXPECT_FALSE(ini.WriteSection("s", {"a", "b", "c", "d"}, {"1", "2", "3"}));
    EXPECT_EQ(ini.LastErrorDescription(), "Key array and Value array must be of the same size");
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CDS_CIniTest, WriteValueCreatesTheFile) {
    EXPECT_TRUE(ini.WriteValue("s", "k", "v w"));
    std::string value;
    EXPECT_TRUE(ini.ReadValue("s", "k", value));
    EXPECT_EQ(value, "v w");
}

TEST_F(CDS_CIniTest, EveryMethodNeedsAFileName) {
    CDS_CIni unnamed;
    std::string value = "v";
    std::vector<std::string> keys = {"k"}, values = {"v"}, names = {"n"};
    const std::function<bool()> calls[] = {
        [&] { return unnamed.ReadValue("s", "k", value); },
        [&] { return unnamed.ReadSection("s", keys, values); },
        [&] { return unnamed.WriteValue("s", "k", "v"); },
        [&] { return unnamed.WriteSection("s", {"k"}, {"v"}); },
        [&] { return unnamed.Enum_SectionNames(names); },
    };
    for (const auto& call : calls) {
        EXPECT_FALSE(call());
        EXPECT_EQ(unnamed.LastErrorDescription(), "No filename specified");
    }
    EXPECT_EQ(value, "v");
    EXPECT_EQ(names, std::vector<std::string>{"n"});
}

TEST_F(CDS_CIniTest, TheDescriptionOfAFailureOutlivesLaterSuccesses) {
    EXPECT_FALSE(ini.WriteSection("s", {"a"}, {}));
    EXPECT_TRUE(ini.WriteValue("s", "k", "v"));
    std::string value;
    EXPECT_TRUE(ini.ReadValue("s", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), "Key array and Value array must be of the same size");
}

TEST_F(CDS_CIniTest, AFailedWriteIsDescribedByTheSystem) {
    Write("[s]\r\na=1\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool written = ini.WriteSection("s", {"a"}, {"2"});
    CloseHandle(held);
    EXPECT_FALSE(written);
    EXPECT_FALSE(ini.LastErrorDescription().empty());
    EXPECT_NE(ini.LastErrorDescription(), "An unknown error has occured");
}

TEST_F(CDS_CIniTest, AFailureThePlatformGivesNoCodeForIsAnUnknownError) {
    Write("[empty]\r\n[s]\r\nk=\r\n");
    std::vector<std::string> keys, values;
    EXPECT_FALSE(ini.ReadSection("empty", keys, values));
    EXPECT_EQ(ini.LastErrorDescription(), "An unknown error has occured");
    std::string value;
    EXPECT_FALSE(ini.ReadValue("s", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), "An unknown error has occured");
}

}  // namespace
