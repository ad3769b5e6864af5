// The four capture buttons ("FSC") against the FSConnect simulator: what they write into their
// boxes, and what an absent, faulty, hanging or vanished FSConnect shows. The regional settings
// of the program's process must not change the decimal point.

#include <windows.h>

#include <map>

#include "capture_support.h"

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;
using namespace capture;

// The environment variable that makes a copy of this test program report the decimal separator
// a new process of the prefix sees (into the file it names), and end at once.
const char* const kSeparatorProbe = "ZONEWRIGHT_E2E_SEPARATOR_PROBE";

const bool kProbed = [] {
    char file[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(kSeparatorProbe, file, sizeof file);
    if (length == 0 || length >= sizeof file) return false;
    char separator[16] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    e2e::WriteFileBytes(file, separator);
    ExitProcess(0);
}();

// What a user may have typed before capturing: a capture replaces its box's text whole.
const Boxes kTyped = {"N47 25' 53.4\"", "W122 30' 0.0\"", "47.25", ""};

using CaptureTest = FsconnectTest;

TEST_F(CaptureTest, EachButtonWritesItsCoordinateAsDecimalDegrees) {
    struct Case {
        const char* name;
        const char* latitude;  // as the simulator is told
        const char* longitude;
        const char* latitudeText;  // as the boxes must show it
        const char* longitudeText;
    };
    const Case cases[] = {
        {"plain decimal degrees", "47.5", "-122.25", "47.5", "-122.25"},
        {"exactly zero", "0", "0", "0", "0"},
        {"negative zero", "-0", "-0", "0", "0"},
        {"rounded to 15 significant digits, trailing zeros dropped", "59.507525962956485", "151.20929999999998",
         "59.5075259629565", "151.2093"},
        {"small values without an exponent", "-0.000001", "0.0000001", "-0.000001", "0.0000001"},
        {"whole degrees without a point", "90", "-180", "90", "-180"},
    };
    ASSERT_TRUE(StartReady());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSimulator(std::string("--lat ") + c.latitude + " --lon " + c.longitude));
        std::vector<std::string> requests;
        std::map<bool, std::vector<std::string>> written;  // by latitude
        for (const Button& button : kButtons) {
            SCOPED_TRACE(button.name);
            ASSERT_TRUE(TypeBoxes(kTyped));
            ASSERT_TRUE(ClickItem(button.id));
            EXPECT_EQ(program_->FindMessageBox(), nullptr);
            // Its own box, and no other.
            Boxes expected = kTyped;
            expected[button.box] = button.latitude ? c.latitudeText : c.longitudeText;
            EXPECT_EQ(Shown(), expected);
            written[button.latitude].push_back(Shown()[button.box]);
            requests.push_back(kStatusRequest);
            requests.push_back(ReadRequest(button.latitude));
        }
        // Both points' buttons of a coordinate write the same text.
        EXPECT_EQ(written[true].front(), written[true].back());
        EXPECT_EQ(written[false].front(), written[false].back());
        // A status request, then the read, for each click.
        EXPECT_EQ(Requests(), requests);
        EXPECT_TRUE(NoAtomLeft());
        ASSERT_TRUE(StopSimulator());
    }
}

TEST_F(CaptureTest, AFailedExchangeShowsTheMessageAndLeavesEveryBox) {
    struct Case {
        const char* name;
        std::optional<std::string> switches;  // none: no FSConnect at all
        bool reads;                           // the status was answered, and the read made
    };
    const Case cases[] = {
        {"no FSConnect", std::nullopt, false},
        {"a status answered with 0", "--reply-zero", false},
        {"a status answered with a code", "--code 7", false},
        {"a status reply that cannot be split", "--bad-status", false},
        // Outside the position routine, a result beyond 16 bits is no fault of its own.
        {"a status result beyond 16 bits", "--out-of-range --status-only", false},
        {"a read answered with 0", "--reply-zero --read-only", true},
        {"a read answered with a code", "--code 7 --read-only", true},
    };
    ASSERT_EQ(FindWindowA(kFsconnectClass, nullptr), nullptr) << "an FSConnect runs in this Wine prefix";
    ASSERT_TRUE(StartReady());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.switches) {
            ASSERT_TRUE(StartSimulator(*c.switches));
        }
        std::vector<std::string> requests;
        for (const Button& button : kButtons) {
            SCOPED_TRACE(button.name);
            ASSERT_TRUE(TypeBoxes(kTyped));
            ASSERT_TRUE(e2e::Click(Item(button.id)));
            ASSERT_TRUE(ExpectBoxes({{kCaptureFailed, ""}}));
            EXPECT_EQ(Shown(), kTyped);
            requests.push_back(kStatusRequest);
            if (c.reads) requests.push_back(ReadRequest(button.latitude));
        }
        if (c.switches) {
            EXPECT_EQ(Requests(), requests);
            ASSERT_TRUE(StopSimulator());
        }
    }
    EXPECT_TRUE(StillWorks());
}

TEST_F(CaptureTest, AFaultInThePositionRoutineIsShownBeforeTheMessage) {
    struct Case {
        const char* name;
        const char* switches;
        const char* description;
    };
    const Case cases[] = {
        {"a read reply that is not hexadecimal", "--non-hex", "Type mismatch"},
        {"a read result beyond 16 bits", "--out-of-range --read-only", "Overflow"},
    };
    ASSERT_TRUE(StartReady());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSimulator(c.switches));
        std::vector<std::string> requests;
        for (const Button& button : kButtons) {
            SCOPED_TRACE(button.name);
            ASSERT_TRUE(TypeBoxes(kTyped));
            ASSERT_TRUE(e2e::Click(Item(button.id)));
            const std::string routine = button.latitude ? "fscGetLatitude" : "fscGetLongitude";
            ASSERT_TRUE(
                ExpectBoxes({{"Error in routine " + routine + "!\r\r" + c.description, "hand"}, {kCaptureFailed, ""}}));
            EXPECT_EQ(Shown(), kTyped);
            requests.push_back(kStatusRequest);
            requests.push_back(ReadRequest(button.latitude));
        }
        EXPECT_EQ(Requests(), requests);
        // The replies that came as atoms were taken out of the table all the same.
        EXPECT_TRUE(NoAtomLeft());
        ASSERT_TRUE(StopSimulator());
    }
    EXPECT_TRUE(StillWorks());
}

TEST_F(CaptureTest, AnFsconnectThatNeverAnswersIsGivenUpAndTheWindowWorksOn) {
    ASSERT_TRUE(StartSimulator("--hang"));
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(TypeBoxes(kTyped));
    // Nothing is sent to the program while it waits: the message is awaited from outside.
    ASSERT_TRUE(e2e::Click(Item(IDC_NW1)));
    ASSERT_TRUE(ExpectBoxes({{kCaptureFailed, ""}}, 30000));
    EXPECT_EQ(Shown(), kTyped);
    EXPECT_EQ(Requests(), std::vector<std::string>{kStatusRequest});
    EXPECT_TRUE(StillWorks());
    ASSERT_TRUE(StopSimulator());
}

// An answer that comes after the click has given up still has its reply atom deleted: the
// system's atom table is small and shared by every program.
TEST_F(CaptureTest, AnAnswerAfterTheClickGaveUpLeavesNoAtomBehind) {
    ASSERT_TRUE(StartSimulator("--lat 47.5 --lon -122.25 --slow 6000"));
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(TypeBoxes(kTyped));
    ASSERT_TRUE(e2e::Click(Item(IDC_NW1)));
    // The status request is given up after five seconds; its answer comes a second later, while
    // the message is open.
    ASSERT_TRUE(e2e::WaitUntil([&] { return program_->FindMessageBox() != nullptr; }, 30000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !AtomTexts().empty() && NoAtomLeft(); })) << NoAtomLeft();
    ASSERT_TRUE(ExpectBoxes({{kCaptureFailed, ""}}));
    EXPECT_EQ(Shown(), kTyped);
    EXPECT_EQ(Requests(), std::vector<std::string>{kStatusRequest});
    EXPECT_TRUE(StillWorks());
}

TEST_F(CaptureTest, AnFsconnectClosedBetweenTwoClicksGivesTheMessageOnTheSecond) {
    ASSERT_TRUE(StartSimulator("--lat 47.5 --lon -122.25"));
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(TypeBoxes(kTyped));
    ASSERT_TRUE(ClickItem(IDC_NW1));
    Boxes expected = kTyped;
    expected[0] = "47.5";
    ASSERT_EQ(Shown(), expected);
    ASSERT_TRUE(StopSimulator());

    ASSERT_TRUE(e2e::Click(Item(IDC_SE1)));
    ASSERT_TRUE(ExpectBoxes({{kCaptureFailed, ""}}));
    EXPECT_EQ(Shown(), expected);
    EXPECT_TRUE(StillWorks());
}

// A value of the user's regional settings in the Wine prefix's registry, put back at the end.
class RegionalSetting {
public:
    RegionalSetting(const char* name, const char* value) : name_(name) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        char old[64];
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            old_ = std::string(old, size > 0 && old[size - 1] == '\0' ? size - 1 : size);
        }
        set_ = RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(lstrlenA(value) + 1)) == ERROR_SUCCESS;
    }
    ~RegionalSetting() {
        if (!key_) return;
        if (old_) {
            RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_->c_str()),
                           static_cast<DWORD>(old_->size() + 1));
        } else {
            RegDeleteValueA(key_, name_);
        }
        RegCloseKey(key_);
    }
    RegionalSetting(const RegionalSetting&) = delete;
    RegionalSetting& operator=(const RegionalSetting&) = delete;
    bool set() const { return set_; }

private:
    const char* name_;
    HKEY key_ = nullptr;
    std::optional<std::string> old_;
    bool set_ = false;
};

// The decimal separator a process started now sees: a copy of this test program is asked.
std::optional<std::string> SeparatorOfANewProcess() {
    TestFolder folder;
    const std::string report = folder.Path("separator.txt");
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self) return std::nullopt;
    std::string commandLine = "\"" + std::string(self) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    SetEnvironmentVariableA(kSeparatorProbe, report.c_str());
    const BOOL started =
        CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableA(kSeparatorProbe, nullptr);
    if (!started) return std::nullopt;
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    if (WaitForSingleObject(process.get(), e2e::kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return std::nullopt;
    }
    return e2e::ReadFileBytes(report);
}

TEST_F(CaptureTest, ACommaForTheDecimalSeparatorStillGivesAPoint) {
    ASSERT_FALSE(kProbed);
    {
        RegionalSetting decimal("sDecimal", ",");
        RegionalSetting thousands("sThousand", ".");
        ASSERT_TRUE(decimal.set() && thousands.set());
        // The program's process, started after this, sees the comma.
        ASSERT_EQ(SeparatorOfANewProcess(), ",");
        ASSERT_TRUE(StartSimulator("--lat 47.5 --lon -122.25"));
        ASSERT_TRUE(StartReady());
        for (const Button& button : kButtons) {
            SCOPED_TRACE(button.name);
            ASSERT_TRUE(TypeBoxes(kTyped));
            ASSERT_TRUE(ClickItem(button.id));
            EXPECT_EQ(program_->FindMessageBox(), nullptr);
            EXPECT_EQ(Shown()[button.box], button.latitude ? "47.5" : "-122.25");
        }
        ASSERT_TRUE(StopSimulator());
    }
    // The prefix's setting is back as it was.
    EXPECT_NE(SeparatorOfANewProcess(), ",");
}

}  // namespace
