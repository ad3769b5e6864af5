#include "ui/map_command.h"

#include <gtest/gtest.h>

#include "golden_texts.h"
#include "map_documents.h"
#include "test_folder.h"
#include "ui_test_support.h"
#include "win32/system_error_win32.h"
#include "win32/web_browser.h"
#include "win32_test_support.h"

namespace {

const char* const kOpenCommand = "https\\shell\\open\\command";

// The https protocol opened by tools\browser.exe, or by a missing program, for the test, and its
// old command back after. Wine reads the protocols from HKEY_CLASSES_ROOT alone (the user's
// HKCU\Software\Classes does not go over it there), so the command is set there, in the test's
// prefix. The stand-in records its command lines in the log.
class HttpsOpenedBy {
public:
    explicit HttpsOpenedBy(const std::string& exe) {
        SetEnvironmentVariableA("ZONEWRIGHT_BROWSER_LOG", log().c_str());
        LONG size = sizeof old_;
        RegQueryValueA(HKEY_CLASSES_ROOT, kOpenCommand, old_, &size);
        const std::string command = "\"" + exe + "\" \"%1\"";
        set_ = RegSetValueA(HKEY_CLASSES_ROOT, kOpenCommand, REG_SZ, command.c_str(), 0) == ERROR_SUCCESS;
    }
    ~HttpsOpenedBy() {
        RegSetValueA(HKEY_CLASSES_ROOT, kOpenCommand, REG_SZ, old_, 0);
        SetEnvironmentVariableA("ZONEWRIGHT_BROWSER_LOG", nullptr);
    }
    bool set() const { return set_; }
    std::string log() const { return folder_.Path("browser.log"); }

private:
    TestFolder folder_;
    char old_[1024] = "";
    bool set_ = false;
};

// The browser gets the link whole; what opens nothing says why, once, and starts nothing. A browser
// that cannot be started is told with the system's reason, the shell's own small codes too.
TEST(MapCommand, StartsTheBrowserWithTheWholeLinkOrSaysWhy) {
    const std::string exe = FindBuildFile("ZONEWRIGHT_BROWSER_EXE", "tools\\browser.exe");
    std::vector<std::string> started;
    {
        HttpsOpenedBy browser(exe);
        ASSERT_TRUE(browser.set()) << exe;
        const ExclusionDocument sample = TwoAreas();
        const ExclusionArea unreadable = Area("47.5", "", "47.4", "-122.2", All);
        const std::pair<ExclusionDocument, std::vector<std::string>> cases[] = {
            {{{unreadable}}, {kNothingOnMap}},
            // Areas enough for a link at the limit, whatever the system's.
            {{std::vector<ExclusionArea>(BrowserUrlLimit() / 300, sample.areas[0])}, {kMapTooLong}},
            {{{sample.areas[0], unreadable, sample.areas[1]}},
             {"Area 2 is not on the map: Zonewright cannot read all four of its corners. The map shows the others."}},
        };
        for (const auto& [shown, messages] : cases) {
            MessageRecorder recorder;
            ShowOnMap(nullptr, shown, recorder.Sink());
            EXPECT_EQ(recorder.messages, messages);
        }
        WaitUntil([&] { return !(started = LogLines(browser.log())).empty(); }, kStartMs);
    }
    std::string url = kTwoAreaMapUrl;
    url.replace(url.find("%22area%22%3A2"), 14, "%22area%22%3A3");
    EXPECT_EQ(started, std::vector<std::string>{"\"" + exe + "\" \"" + url + "\""});

    EXPECT_EQ(OpenInBrowser("zonewright-nothing:map"), std::error_code(ERROR_NO_ASSOCIATION, std::system_category()));
    TestFolder folder;
    HttpsOpenedBy missing(folder.Path("missing.exe"));
    MessageRecorder recorder;
    ShowOnMap(nullptr, TwoAreas(), recorder.Sink());
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{"The web browser could not be started to show the map.\r\n\r\n" +
                                       SystemMessage(ERROR_FILE_NOT_FOUND)});
}

}  // namespace
