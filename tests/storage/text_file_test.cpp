#include "storage/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_folder.h"

namespace {

// The temporary of a whole-file write is made beside the file, so that it takes the file's place
// in one step on the same drive; never in the current folder, unless the file is there.
TEST(CreateTemporaryBeside, MakesANewFileInTheFolderOfThePath) {
    TestFolder folder;
    const std::string target = folder.Path("ZonewrightV2.ini");
    std::string temporary;
    ASSERT_FALSE(CreateTemporaryBeside(target, temporary));
    EXPECT_EQ(std::filesystem::path(temporary).parent_path(), std::filesystem::path(folder.path()));
    EXPECT_EQ(ReadWholeFile(temporary).value, "");

    const std::filesystem::path current = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    std::string bare;
    const std::error_code error = CreateTemporaryBeside("bare.ini", bare);
    std::filesystem::current_path(current);
    ASSERT_FALSE(error);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.path()) / bare)) << bare;
}

TEST(ReadWholeFile, ReadsNoMoreThanItsLimit) {
    TestFolder folder;
    const std::string path = folder.Path("file");
    ASSERT_FALSE(WriteWholeFile(path, std::string(10000, 'x')));
    EXPECT_EQ(ReadWholeFile(path, 10000).value.size(), 10000u);
    const Result<std::string> tooLarge = ReadWholeFile(path, 9999);
    EXPECT_EQ(tooLarge.error, Failure::FileTooLarge);
    EXPECT_EQ(tooLarge.value, "");
}

}  // namespace
