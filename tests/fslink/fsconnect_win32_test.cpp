#include "fslink/fsconnect_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <vector>

#include "fslink/position_capture.h"
#include "test_folder.h"
#include "win32_test_support.h"

namespace {

// What the capture writes, or none when it fails.
std::optional<std::string> Captured(FscClient& client, Coordinate coordinate) {
    const Result<std::string> capture = CapturePosition(client, coordinate);
    if (capture.error) return std::nullopt;
    return capture.value;
}

// The platform as the program uses it, noting which reply atoms it deletes.
class RecordingPlatform : public Win32FscPlatform {
public:
    void DeleteAtom(uint16_t atom) override {
        deleted.push_back(atom);
        Win32FscPlatform::DeleteAtom(atom);
    }
    std::vector<uint16_t> deleted;
};

class FscClientOnWindows : public ::testing::Test {
protected:
    // Starts the simulator and waits for its window.
    void Run(const std::string& arguments) {
        simulator_.emplace(arguments);
        ASSERT_EQ(simulator_->error(), "");
        ASSERT_TRUE(simulator_->WaitForWindow());
    }

    RecordingPlatform platform;
    std::vector<std::string> faults;
    FscClient client{platform, [this](const std::string& fault) { faults.push_back(fault); }};

private:
    std::optional<Simulator> simulator_;
};

TEST_F(FscClientOnWindows, WithoutFsConnectEveryRequestGivesOne) {
    ASSERT_FALSE(FindWindowA("FSCONNECT8", nullptr)) << "a simulator of another test still runs";
    double degrees = 5;
    std::string first, rest;
    int32_t a = 0, b = 0;
    EXPECT_EQ(client.fscGetLatitude(degrees), 1);
    EXPECT_EQ(client.fscGetStatus(first, rest, a, b), 1);
    EXPECT_EQ(degrees, 5);
    EXPECT_EQ(client.fscWindow, 0u);
    // Registered under FSConnect's name, so it is the number FSConnect's process has for it too.
    EXPECT_EQ(client.fscMessageId, RegisterWindowMessageA("WM_FSCONNECT"));
    EXPECT_EQ(Captured(client, Coordinate::Longitude), std::nullopt);
}

TEST_F(FscClientOnWindows, CapturesThePositionAndDeletesEveryReplyAtomOnce) {
    TestFolder folder;
    const std::string log = folder.Path("requests.log");
    Run("--lat 47.5 --lon -122.25 --log \"" + log + "\"");
    EXPECT_EQ(Captured(client, Coordinate::Latitude), "47.5");
    EXPECT_EQ(Captured(client, Coordinate::Longitude), "-122.25");
    ASSERT_EQ(platform.deleted.size(), 4u);  // two status replies, two reads
    for (uint16_t atom : platform.deleted) {
        char name[256];
        EXPECT_EQ(GlobalGetAtomNameA(atom, name, sizeof name), 0u) << "atom " << atom << " is still there";
    }
    EXPECT_TRUE(faults.empty());
    // The simulator takes and logs only the message it registered as WM_FSCONNECT in its own
    // process: every request came under that number, a status request before each read.
    const std::vector<std::string> lines = LogLines(log);
    const char* const requests[] = {"wParam=10 lParam=0 result=", "wParam=1 lParam=71 result=",
                                    "wParam=10 lParam=0 result=", "wParam=1 lParam=72 result="};
    ASSERT_EQ(lines.size(), std::size(requests));
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind(requests[i], 0), 0u) << lines[i];
}

TEST_F(FscClientOnWindows, RepliesWithoutAnAtomPassTheirCodes) {
    struct Case {
        const char* switches;
        int16_t result;
    };
    const Case cases[] = {{"--reply-zero", 1}, {"--code 7", 7}};
    for (const Case& c : cases) {
        Run(std::string("--lat 10 ") + c.switches);
        double degrees = 3;
        EXPECT_EQ(client.fscGetLatitude(degrees), c.result) << c.switches;
        EXPECT_EQ(degrees, 3) << c.switches;
    }
    EXPECT_TRUE(platform.deleted.empty());
}

TEST_F(FscClientOnWindows, FaultsShowTheRoutinesMessage) {
    Run("--lat 10 --non-hex");
    double degrees = 3;
    EXPECT_NE(client.fscGetLatitude(degrees), 0);
    EXPECT_EQ(degrees, 3);
    EXPECT_EQ(faults, std::vector<std::string>{"Error in routine fscGetLatitude!\r\rType mismatch"});
}

TEST_F(FscClientOnWindows, AnFsConnectThatNeverAnswersCountsAsNoAnswer) {
    Run("--lat 10 --hang");
    std::string first, rest;
    int32_t a = 0, b = 0;
    // Bounded at five seconds by the client; the test's own limit is the suite's time-out.
    EXPECT_EQ(client.fscGetStatus(first, rest, a, b), 1);
    EXPECT_EQ(Captured(client, Coordinate::Latitude), std::nullopt);
}

}  // namespace
