#include "ui/map_command.h"

#include <gtest/gtest.h>

#include "golden_texts.h"
#include "test_folder.h"
#include "ui_test_support.h"
#include "win32/system_error_win32.h"
#include "win32/web_browser.h"
#include "win32_test_support.h"

namespace {

const char* const kOpenCommand = "https\\shell\\open\\command";

// The https protocol opened by a command of the test's, the stand-in browser tools\browser.exe
// recording its command lines in a log, and the protocol's old command back after. Wine reads the
// protocols from HKEY_CLASSES_ROOT alone (a user's HKCU\Software\Classes does not go over it
// there), so the command is set there, in the test's prefix.
class StandInBrowser {
public:
    explicit StandInBrowser(const std::string& exe) : log_(folder_.Path("browser.log")) {
        SetEnvironmentVariableA("ZONEWRIGHT_BROWSER_LOG", log_.c_str());
        char old[1024];
        LONG size = sizeof old;
        hadOld_ = RegQueryValueA(HKEY_CLASSES_ROOT, kOpenCommand, old, &size) == ERROR_SUCCESS;
        if (hadOld_) old_ = old;
        const std::string command = "\"" + exe + "\" \"%1\"";
        set_ = RegSetValueA(HKEY_CLASSES_ROOT, kOpenCommand, REG_SZ, command.c_str(), 0) == ERROR_SUCCESS;
    }
    ~StandInBrowser() {
        if (hadOld_) {
            RegSetValueA(HKEY_CLASSES_ROOT, kOpenCommand, REG_SZ, old_.c_str(), 0);
        } else {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, kOpenCommand);
        }
        SetEnvironmentVariableA("ZONEWRIGHT_BROWSER_LOG", nullptr);
    }
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;

    bool set() const { return set_; }
    // The command lines it was started with, once there are so many.
    std::vector<std::string> WaitForCommandLines(size_t count) const {
        std::vector<std::string> lines;
        WaitUntil([&] { return (lines = LogLines(log_)).size() >= count; }, kStartMs);
        return lines;
    }

private:
    TestFolder folder_;
    std::string log_, old_;
    bool hadOld_ = false, set_ = false;
};

ExclusionArea Area(const char* latitudeMaximum, const char* longitudeMinimum, const char* latitudeMinimum,
                   const char* longitudeMaximum, ObjectType type) {
    ExclusionArea area{latitudeMaximum, longitudeMinimum, latitudeMinimum, longitudeMaximum, {}};
    area.objectTypes[type] = CheckState::Ticked;
    return area;
}

ExclusionDocument Document(std::vector<ExclusionArea> areas) {
    ExclusionDocument document;
    document.areas = std::move(areas);
    return document;
}

// The browser gets the link whole; the areas left out are told before it starts, and what opens
// nothing says why, once.
TEST(MapCommand, StartsTheBrowserWithTheWholeLink) {
    const std::string exe = FindBuildFile("ZONEWRIGHT_BROWSER_EXE", "tools\\browser.exe");
    ASSERT_NE(exe, "");
    StandInBrowser browser(exe);
    ASSERT_TRUE(browser.set());

    ExclusionArea first = Area("47.4650", "-122.3170", "47.4300", "-122.2980", GenBuild);
    first.objectTypes[Library] = CheckState::Ticked;
    const ExclusionArea second = Area("N47 26 24", "W122 18 36", "47 26.1", "122 18.3W", Windsocks);
    const ExclusionArea unreadable = Area("47.5", "", "47.4", "-122.2", All);
    // Areas enough for a link at the limit, whatever the system's.
    const ExclusionDocument tooMany = Document(std::vector<ExclusionArea>(BrowserUrlLimit() / 300, first));
    std::string thirdAsSecond = kTwoAreaMapUrl;
    thirdAsSecond.replace(thirdAsSecond.find("%22area%22%3A2"), 14, "%22area%22%3A3");
    struct Case {
        ExclusionDocument document;
        std::vector<std::string> messages;
        std::string url;  // "" for none
    };
    const Case cases[] = {
        {Document({unreadable, Area("", "", "", "", All)}), {kNothingOnMap}, ""},
        {Document({first, second}), {}, kTwoAreaMapUrl},
        {tooMany, {kMapTooLong}, ""},
        {Document({first, unreadable, second}),
         {"Area 2 is not on the map: Zonewright cannot read all four of its corners. The map shows the others."},
         thirdAsSecond},
    };
    size_t started = 0;
    for (const Case& c : cases) {
        MessageRecorder recorder;
        ShowOnMap(nullptr, c.document, recorder.Sink());
        EXPECT_EQ(recorder.messages, c.messages);
        if (c.url.empty()) continue;
        const std::vector<std::string> lines = browser.WaitForCommandLines(++started);
        ASSERT_EQ(lines.size(), started) << "a browser started for a map that opened nothing";
        EXPECT_EQ(lines.back(), "\"" + exe + "\" \"" + c.url + "\"");
    }
}

// The shell's own small failure codes come as the system's errors, and are told with its reason.
TEST(MapCommand, TellsABrowserThatCannotBeStarted) {
    EXPECT_EQ(OpenInBrowser("zonewright-nothing:map"), std::error_code(ERROR_NO_ASSOCIATION, std::system_category()));
    TestFolder folder;
    StandInBrowser missing(folder.Path("missing.exe"));
    ASSERT_TRUE(missing.set());
    MessageRecorder recorder;
    ShowOnMap(nullptr, Document({Area("47.5", "-122.5", "47.25", "-122.25", All)}), recorder.Sink());
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"The web browser could not be started to show the "
                                                          "map.\r\n\r\n" +
                                                          SystemMessage(ERROR_FILE_NOT_FOUND)});
    EXPECT_EQ(recorder.icons, std::vector<UINT>{MB_ICONEXCLAMATION});
}

}  // namespace
