// The real fsconnect_sim.exe, started from here and asked through its window as a client would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "win32_test_support.h"
#include "test_folder.h"

namespace {

const char* const kStatus = "FSC8 0000080000000009Zonewright FSConnect simulator";
const char* const kLat90 = "00000000000000C0AA136341";
const char* const kLonMinus180 = "00000000000000000000E0C2";

struct Answer {
    bool answered = false;
    LRESULT result = 0;
    std::string text;          // the atom's name, for a result that is an atom
    bool atomRemains = false;  // the atom still had a name after the one deletion
};

// A request as a client makes it: the atom of a negative result is read and deleted once.
Answer Ask(HWND window, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 5000) {
    Answer answer;
    DWORD_PTR result = 0;
    const UINT message = RegisterWindowMessageA("WM_FSCONNECT");
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK, timeoutMs, &result)) return answer;
    answer.answered = true;
    answer.result = static_cast<LRESULT>(result);
    // The whole result must be the sign-extended atom, not just its low 16 bits.
    if (answer.result >= -16384 && answer.result <= -1) {
        const ATOM atom = static_cast<ATOM>(static_cast<uint16_t>(answer.result));
        char name[256];
        answer.text.assign(name, GlobalGetAtomNameA(atom, name, sizeof name));
        GlobalDeleteAtom(atom);
        answer.atomRemains = GlobalGetAtomNameA(atom, name, sizeof name) != 0;
    }
    return answer;
}

void ExpectText(const Answer& answer, const std::string& text) {
    ASSERT_TRUE(answer.answered);
    EXPECT_GE(answer.result, -16384);
    EXPECT_LE(answer.result, -1);
    EXPECT_EQ(answer.text, text);
    EXPECT_FALSE(answer.atomRemains);
}

void ExpectValue(const Answer& answer, LRESULT value) {
    ASSERT_TRUE(answer.answered);
    EXPECT_EQ(answer.result, value);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::vector<std::string> lines;
    std::string all = bytes.str();
    for (size_t start = 0, end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(all.substr(start, end - start));
    }
    return lines;
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

TEST(FsconnectSimulator, AnswersStatusAndPositionAndLogsEachRequest) {
    struct Case {
        const char* position;
        const char* latitude;
        const char* longitude;
    };
    const Case cases[] = {
        {"--lat 90 --lon -180", kLat90, kLonMinus180},
        {"--lat -45 --lon 90", "00000000000000C0AA1353C1", "00000000000000000000D042"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        TestFolder folder;
        const std::string log = folder.Path("requests.log");
        Simulator sim(std::string(c.position) + " --log " + Quoted(log));
        ASSERT_EQ(sim.error(), "");
        const HWND window = sim.WaitForWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(FindWindowA("FSCONNECT8", nullptr), window);  // how clients find it

        const Answer status = Ask(window, 10, 0);
        ExpectText(status, kStatus);
        const Answer latitude = Ask(window, 1, 71);
        ExpectText(latitude, c.latitude);
        const Answer longitude = Ask(window, 1, 72);
        ExpectText(longitude, c.longitude);
        ExpectValue(Ask(window, 1, 73), 3);
        ExpectValue(Ask(window, 99, 71), 0);

        const std::vector<std::string> expected = {
            "wParam=10 lParam=0 result=" + std::to_string(status.result) + " text=" + kStatus,
            "wParam=1 lParam=71 result=" + std::to_string(latitude.result) + " text=" + c.latitude,
            "wParam=1 lParam=72 result=" + std::to_string(longitude.result) + " text=" + c.longitude,
            "wParam=1 lParam=73 result=3",
            "wParam=99 lParam=71 result=0",
        };
        EXPECT_EQ(ReadLines(log), expected);
        EXPECT_EQ(sim.Close(window), 0u);
    }
}

TEST(FsconnectSimulator, FaultSwitchesAnswerWrongly) {
    struct Expected {
        const char* text;  // nullptr: the value below instead of an atom
        LRESULT value;
    };
    struct Case {
        const char* switches;
        Expected status;
        Expected read;
    };
    const Case cases[] = {
        {"--reply-zero", {nullptr, 0}, {nullptr, 0}},
        {"--code 7", {nullptr, 7}, {nullptr, 7}},
        {"--out-of-range", {nullptr, 40000}, {nullptr, 40000}},
        {"--non-hex", {kStatus, 0}, {"00000000ZZ0000C0AA136341", 0}},
        {"--bad-status", {"FSC8 ZZZZZZZZ", 0}, {kLat90, 0}},
        {"--code 5 --read-only", {kStatus, 0}, {nullptr, 5}},
        {"--status-only --code 6", {nullptr, 6}, {kLat90, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.switches);
        Simulator sim(std::string("--lat 90 ") + c.switches);
        ASSERT_EQ(sim.error(), "");
        const HWND window = sim.WaitForWindow();
        ASSERT_NE(window, nullptr);
        const Answer status = Ask(window, 10, 0);
        const Answer read = Ask(window, 1, 71);
        if (c.status.text)
            ExpectText(status, c.status.text);
        else
            ExpectValue(status, c.status.value);
        if (c.read.text)
            ExpectText(read, c.read.text);
        else
            ExpectValue(read, c.read.value);
        EXPECT_EQ(sim.Close(window), 0u);
    }
}

TEST(FsconnectSimulator, SlowAnswersAfterItsWait) {
    Simulator sim("--lat 90 --slow 400");
    ASSERT_EQ(sim.error(), "");
    const HWND window = sim.WaitForWindow();
    ASSERT_NE(window, nullptr);
    const ULONGLONG start = GetTickCount64();
    const Answer read = Ask(window, 1, 71);
    const ULONGLONG took = GetTickCount64() - start;
    ExpectText(read, kLat90);
    EXPECT_GE(took, 380u);  // the tick count is coarser than a millisecond
    EXPECT_EQ(sim.Close(window), 0u);
}

TEST(FsconnectSimulator, HangNeverAnswersYetHandlesOtherMessages) {
    TestFolder folder;
    const std::string log = folder.Path("requests.log");
    Simulator sim("--lat 90 --hang --status-only --log " + Quoted(log));
    ASSERT_EQ(sim.error(), "");
    const HWND window = sim.WaitForWindow();
    ASSERT_NE(window, nullptr);

    EXPECT_FALSE(Ask(window, 10, 0, 1000).answered);
    // Still waiting on the status request, it answers a read and a second status request hangs too.
    ExpectText(Ask(window, 1, 71), kLat90);
    EXPECT_FALSE(Ask(window, 10, 0, 500).answered);
    const std::string hung = "wParam=10 lParam=0 result=never";
    std::vector<std::string> lines;
    EXPECT_TRUE(WaitUntil([&] { return (lines = ReadLines(log)).size() == 3; }, 5000));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], hung);
    EXPECT_EQ(lines[1].substr(0, 26), "wParam=1 lParam=71 result=");
    EXPECT_EQ(lines[2], hung);
    EXPECT_EQ(sim.Close(window), 0u);
}

TEST(FsconnectSimulator, ShowsWhatIsWrongWithItsArgumentsAndEnds) {
    Simulator sim("--lat 91");
    ASSERT_EQ(sim.error(), "");
    const HWND box = sim.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr);
    // The box's window comes before its text.
    char text[2048] = "";
    EXPECT_TRUE(WaitUntil([&] { return GetDlgItemTextA(box, 0xFFFF, text, sizeof text) > 0; }, kStartMs));
    EXPECT_NE(std::string(text).find("--lat needs decimal degrees from -90 to 90, not \"91\""), std::string::npos)
        << text;
    EXPECT_NE(std::string(text).find("usage: fsconnect_sim"), std::string::npos) << text;
    EXPECT_EQ(FindWindowA("FSCONNECT8", nullptr), nullptr);
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(sim.WaitForExit(), 2u);
}

TEST(FsconnectSimulator, LeavesTheFieldToOneAlreadyRunning) {
    Simulator first("--lat 90");
    ASSERT_EQ(first.error(), "");
    const HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Simulator second("--lat -45");
    ASSERT_EQ(second.error(), "");
    EXPECT_EQ(second.WaitForExit(kStartMs), 3u);
    ExpectText(Ask(window, 1, 71), kLat90);
    EXPECT_EQ(first.Close(window), 0u);
}

}  // namespace
