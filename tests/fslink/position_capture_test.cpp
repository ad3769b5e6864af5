#include "fslink/position_capture.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// What the capture writes, or none when it fails.
std::optional<std::string> Captured(FscClient& client, Coordinate coordinate) {
    const Result<std::string> capture = CapturePosition(client, coordinate);
    if (capture.error) return std::nullopt;
    return capture.value;
}

// FSConnect answering the status request and the position reads with fixed replies.
class ScriptedFsConnect : public FscPlatform {
public:
    uint32_t RegisterMessage(const std::string&) override { return 0xC0DE; }
    uintptr_t FindTopWindow(const std::string&) override { return running ? 0x1234 : 0; }
    bool Send(uintptr_t, uint32_t, uintptr_t wParam, intptr_t lParam, uint32_t, intptr_t& result) override {
        requests.push_back(static_cast<int>(wParam == 10 ? 0 : lParam));
        if (wParam == 10) {
            result = statusReply;
        } else {
            result = lParam == 71 ? latitudeReply : longitudeReply;
        }
        return true;
    }
    std::string AtomName(uint16_t atom, int) override {
        switch (atom) {
        case 0xC001: return "FSC8 0000000100000002sim";
        case 0xC002: return latitudeText;
        case 0xC003: return longitudeText;
        default: return "";
        }
    }
    void DeleteAtom(uint16_t) override {}
    uint64_t NowMs() override { return 0; }

    bool running = true;
    intptr_t statusReply = static_cast<int16_t>(0xC001);
    intptr_t latitudeReply = static_cast<int16_t>(0xC002);
    intptr_t longitudeReply = static_cast<int16_t>(0xC003);
    std::string latitudeText = "00000000000000C0AA1353C1";   // -45
    std::string longitudeText = "00000000000000000000D042";  // 90
    std::vector<int> requests;  // 0 for a status request, else the variable code
};

class CapturePositionTest : public ::testing::Test {
protected:
    ScriptedFsConnect fsconnect;
    std::vector<std::string> faults;
    FscClient client{fsconnect, [this](const std::string& fault) { faults.push_back(fault); }};
};

TEST_F(CapturePositionTest, AsksForTheStatusThenThePosition) {
    EXPECT_EQ(Captured(client, Coordinate::Latitude), "-45");
    EXPECT_EQ(Captured(client, Coordinate::Longitude), "90");
    EXPECT_EQ(fsconnect.requests, (std::vector<int>{0, 71, 0, 72}));
    EXPECT_TRUE(faults.empty());
}

TEST_F(CapturePositionTest, AnyFailedExchangeGivesNoText) {
    struct Case {
        const char* name;
        void (*spoil)(ScriptedFsConnect&);
        size_t faults;
    };
    const Case cases[] = {
        {"not running", [](ScriptedFsConnect& f) { f.running = false; }, 0},
        {"status answers 0", [](ScriptedFsConnect& f) { f.statusReply = 0; }, 0},
        {"status answers a code", [](ScriptedFsConnect& f) { f.statusReply = 5; }, 0},
        {"status beyond 16 bits", [](ScriptedFsConnect& f) { f.statusReply = 70000; }, 0},
        {"read answers 0", [](ScriptedFsConnect& f) { f.latitudeReply = 0; }, 0},
        {"read answers a code", [](ScriptedFsConnect& f) { f.latitudeReply = 7; }, 0},
        {"read beyond 16 bits", [](ScriptedFsConnect& f) { f.latitudeReply = -40000; }, 1},
        {"read not hexadecimal", [](ScriptedFsConnect& f) { f.latitudeText = "00000000000000C0AA13XXC1"; }, 1},
        {"read not a number", [](ScriptedFsConnect& f) { f.latitudeText = "00000000000000000000F87F"; }, 0},
    };
    for (const Case& c : cases) {
        ScriptedFsConnect fsconnect;
        c.spoil(fsconnect);
        std::vector<std::string> faults;
        FscClient client(fsconnect, [&](const std::string& fault) { faults.push_back(fault); });
        EXPECT_EQ(Captured(client, Coordinate::Latitude), std::nullopt) << c.name;
        EXPECT_EQ(faults.size(), c.faults) << c.name;
    }
}

}  // namespace
