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

// As Explorer's "Open with", a file dropped on the program's icon and a file association start
// it: with the project's path in quotes. It loads as File > Open loads it, after the start-up
// check; a file that cannot be opened is told, and the window stays empty.
TEST_F(StartupTest, AProjectNamedOnTheCommandLineIsOpened) {
    TestFolder projects;
    const std::string project = projects.Path("my area.exc");
    ASSERT_TRUE(e2e::WriteFileBytes(project,
                                    "[area]\r\nlatitudemaximum=47.5\r\nlongitudeminimum=-122.5\r\nlatitudeminimum=47.25"
                                    "\r\nlongitudemaximum=-122.25\r\n[exclusion]\r\nExc_All=0\r\nExc_Beacon=0\r\n"
                                    "Exc_Effects=0\r\nExc_GenBuild=0\r\nExc_Library=0\r\nExc_TaxiSigns=0\r\n"
                                    "Exc_Triggers=0\r\nExc_Windsocks=1\r\n[other]\r\nDeleteSource=0\r\n"));
    const std::string missing = projects.Path("gone.exc");
    // A bare name is looked for in the Windows folder by the profile functions: a decoy there
    // must not be what a name relative to the program's current folder opens.
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string relative = "zonewright-e2e-area.exc";
    const std::string decoy = std::string(windows) + "\\" + relative;
    ASSERT_TRUE(e2e::WriteFileBytes(decoy, "[area]\r\nlatitudemaximum=10\r\n"));
    struct Case {
        const char* name;
        std::optional<std::string> settings;  // none: the start-up warning comes first
        std::string arguments;
        std::vector<std::string> messages;
        std::string latitude;          // what the first box then holds
        bool inCurrentFolder = false;  // the project lies in the current folder under the relative name
    };
    const Case cases[] = {
        {"a project", kCompilerSettings, "\"" + project + "\"", {}, "47.5"},
        {"a project after the start-up warning", std::nullopt, "\"" + project + "\"", {}, "47.5"},
        {"a file that is not there",
         kCompilerSettings,
         "\"" + missing + "\"",
         {"The project file \"" + missing + "\" could not be opened.\r\n\r\n" +
          std::make_error_code(std::errc::no_such_file_or_directory).message()},
         ""},
        {"no argument", kCompilerSettings, "", {}, ""},
        {"a name relative to the current folder", kCompilerSettings, relative, {}, "47.5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program_.emplace(ZonewrightExe(), c.settings);
        ASSERT_TRUE(program_->prepared()) << program_->failure();
        if (c.inCurrentFolder) {
            ASSERT_TRUE(CopyFileA(project.c_str(), program_->Path("elsewhere\\" + relative).c_str(), FALSE));
        }
        ASSERT_TRUE(program_->Start(c.arguments)) << program_->failure();
        if (!c.settings) {
            ASSERT_TRUE(WarningBeforeMainWindow(*program_));
        }
        // A message comes over the window once it is made, and keeps it disabled until closed.
        if (!c.messages.empty()) {
            HWND main = nullptr;
            ASSERT_TRUE(e2e::WaitUntil([&] { return (main = program_->FindMainWindow()) && IsWindowVisible(main); }));
            main_ = main;
            ASSERT_TRUE(ExpectMessages(c.messages));
        }
        ASSERT_TRUE(AwaitMainWindow());
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), c.latitude);
        if (c.latitude.empty()) continue;
        EXPECT_EQ(e2e::GetText(Item(IDC_longitudemaximum)), "-122.25");
        EXPECT_EQ(e2e::GetCheck(Item(IDC_Exec_Windsocks)), BST_CHECKED);
        EXPECT_EQ(e2e::GetCheck(Item(IDC_DelSRC)), BST_UNCHECKED);
        ASSERT_TRUE(ClickItem(IDC_generate));
        EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), kWindsocksDocument);
    }
    DeleteFileA(decoy.c_str());
}

}  // namespace
