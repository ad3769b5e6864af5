// The start-up check of the compiler setting, seen from outside.

#include "fixture.h"

namespace {

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
        EXPECT_EQ(e2e::ReadFileBytes(program_->Path("ZonewrightV2.ini")), c.settings.value_or(""));
        EXPECT_EQ(e2e::ReadFileBytes(program_->Path("elsewhere\\ZonewrightV2.ini")), std::nullopt);
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
        EXPECT_EQ(e2e::ReadFileBytes(program_->Path("ZonewrightV2.ini")), std::string(text));
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
