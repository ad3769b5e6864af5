// The start-up check of the compiler setting, seen from outside.

#include <fstream>
#include <iterator>

#include "fixture.h"

namespace {

const char* const kDefineCompiler =
    "Please define \"bglcomp.exe\" location from \"Settings\" or you will not be able to generate .bgl files.";

std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Waits for the warning and checks that it comes before the main window is shown.
::testing::AssertionResult WarningBeforeMainWindow(const e2e::Zonewright& program) {
    HWND box = nullptr;
    HWND main = nullptr;
    if (!e2e::WaitUntil([&] {
            box = program.FindMessageBox();
            main = program.FindMainWindow();
            return box || (main && IsWindowVisible(main));
        })) {
        return ::testing::AssertionFailure() << "neither the warning nor the main window appeared";
    }
    if (!box) return ::testing::AssertionFailure() << "the main window was shown without the warning";
    if (main && IsWindowVisible(main)) return ::testing::AssertionFailure() << "the main window was shown first";
    const std::string text = e2e::MessageBoxText(box);
    if (text != kDefineCompiler) return ::testing::AssertionFailure() << "the warning reads: " << text;
    if (!e2e::CloseMessageBox(box)) return ::testing::AssertionFailure() << "the warning did not close";
    return ::testing::AssertionSuccess();
}

using StartupTest = ZonewrightTest;

TEST_F(StartupTest, WarnsBeforeTheMainWindowWhenNoCompilerIsSet) {
    struct Case {
        const char* name;
        std::optional<std::string> settings;
    };
    const Case cases[] = {
        {"no settings file", std::nullopt},
        {"empty file", ""},
        {"empty value", "[DEFAULT]\r\nBGLCOMP=\r\n"},
        {"no such key", "[DEFAULT]\r\nLASTFILE=C:\\scenery\\area.zwp\r\n"},
        {"key in another section", "[OTHER]\r\nBGLCOMP=C:\\FS2004\\SDK\\bglcomp.exe\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program_.emplace(ZonewrightExe(), c.settings);
        ASSERT_TRUE(program_->prepared()) << program_->failure();
        ASSERT_TRUE(program_->Start()) << program_->failure();
        ASSERT_TRUE(WarningBeforeMainWindow(*program_));
        ASSERT_TRUE(AwaitMainWindow());
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        // A missing file is created empty beside the program; an existing one stays as it was.
        EXPECT_EQ(ReadBytes(program_->Path("ZonewrightV2.ini")), c.settings.value_or(""));
        EXPECT_EQ(ReadBytes(program_->Path("elsewhere\\ZonewrightV2.ini")), std::nullopt);
    }
}

TEST_F(StartupTest, StartsWithoutWarningWhenACompilerIsSet) {
    const char* const settings[] = {
        kCompilerSettings,
        "[DEFAULT]\r\nBGLCOMP= \r\n",  // a single blank counts as a value
        "[default]\r\nbglcomp=C:\\FS2004\\SDK\\bglcomp.exe\r\n",
        "[OTHER]\r\nX=1\r\n[DEFAULT]\r\nLASTFILE=a\r\nBGLCOMP=D:\\bglcomp.exe\r\n",
    };
    for (const char* text : settings) {
        SCOPED_TRACE(text);
        program_.emplace(ZonewrightExe(), text);
        ASSERT_TRUE(program_->prepared()) << program_->failure();
        ASSERT_TRUE(program_->Start()) << program_->failure();
        ASSERT_TRUE(AwaitMainWindow());
        // The warning would come before the main window is shown.
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        EXPECT_EQ(ReadBytes(program_->Path("ZonewrightV2.ini")), std::string(text));
    }
}

TEST_F(StartupTest, AnUnreadableSettingsFileGivesTheWarningAndTheProgramRunsOn) {
    program_.emplace(ZonewrightExe(), kCompilerSettings);
    ASSERT_TRUE(program_->prepared()) << program_->failure();
    // Held open without sharing: the program can neither read nor create it.
    UniqueHandle lock(CreateFileA(program_->Path("ZonewrightV2.ini").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    ASSERT_TRUE(program_->Start()) << program_->failure();
    ASSERT_TRUE(WarningBeforeMainWindow(*program_));
    ASSERT_TRUE(AwaitMainWindow());

    ASSERT_TRUE(FillWindsocksArea());
    ASSERT_TRUE(ClickItem(IDC_generate));
    EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), kWindsocksDocument);
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
}

}  // namespace
