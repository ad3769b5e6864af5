#include "fslink/fsconnect_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <vector>

namespace {

// FSConnect as the client sees it: a window that answers with a fixed value, the reply text in
// an atom table that counts its deletions.
class FakePlatform : public FscPlatform {
public:
    uint32_t RegisterMessage(const std::string& name) override {
        registered = name;
        return messageId;
    }
    uintptr_t FindTopWindow(const std::string& className) override {
        lookedUp = className;
        return window;
    }
    bool Send(uintptr_t to, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
              intptr_t& result) override {
        sent.push_back({to, message, wParam, lParam});
        timeouts.push_back(timeoutMs);
        now += std::min(answerTakesMs, timeoutMs);
        if (answerTakesMs > timeoutMs) return false;
        const auto own = byRequest.find(wParam);
        result = own != byRequest.end() ? own->second : reply;
        return answers;
    }
    std::string AtomName(uint16_t atom, int bufferSize) override {
        bufferSizes.push_back(bufferSize);
        auto found = atoms.find(atom);
        return found == atoms.end() ? "" : found->second.substr(0, static_cast<size_t>(bufferSize - 1));
    }
    void DeleteAtom(uint16_t atom) override { ++deletions[atom]; }
    uint64_t NowMs() override { return now; }

    // Puts the text into an atom and makes it the reply (to one kind of request only, if given).
    void ReplyWith(const std::string& text, uint16_t atom = 0xC123, std::optional<uintptr_t> request = {}) {
        atoms[atom] = text;
        const intptr_t value = static_cast<int16_t>(atom);  // sign-extended, as FSConnect sends it
        if (request) {
            byRequest[*request] = value;
        } else {
            reply = value;
        }
    }

    struct Message {
        uintptr_t window;
        uint32_t id;
        uintptr_t wParam;
        intptr_t lParam;
    };
    uint32_t messageId = 0xC0DE;
    uintptr_t window = 0x1234;
    intptr_t reply = 0;
    std::map<uintptr_t, intptr_t> byRequest;
    bool answers = true;
    std::string registered, lookedUp;
    std::vector<Message> sent;
    std::map<uint16_t, std::string> atoms;
    std::map<uint16_t, int> deletions;
    std::vector<int> bufferSizes;
    uint64_t now = 1000000;
    uint32_t answerTakesMs = 0;
    std::vector<uint32_t> timeouts;
};

class FscClientTest : public ::testing::Test {
protected:
    FakePlatform platform;
    std::vector<std::string> faults;
    FscClient client{platform, [this](const std::string& message) { faults.push_back(message); }};
};

TEST_F(FscClientTest, NoWindowOrNoMessageGivesOneAndSendsNothing) {
    for (int round = 0; round < 2; ++round) {
        platform.window = round == 0 ? 0 : 0x1234;
        platform.messageId = round == 0 ? 0xC0DE : 0;
        double degrees = 12.5;
        EXPECT_EQ(client.fscGetLatitude(degrees), 1);
        EXPECT_EQ(degrees, 12.5);
        EXPECT_FALSE(client.fscConnect());
    }
    EXPECT_TRUE(platform.sent.empty());
    EXPECT_EQ(platform.registered, "WM_FSCONNECT");
    EXPECT_EQ(platform.lookedUp, "FSCONNECT8");
}

TEST_F(FscClientTest, AllRequestsOfAClientShareOneDeadline) {
    platform.ReplyWith("00000000000000C0AA136341");
    platform.answerTakesMs = 2000;
    double degrees = 0;
    EXPECT_EQ(client.fscGetLatitude(degrees), 0);
    EXPECT_EQ(client.fscGetLatitude(degrees), 0);
    // 1 s left: the answer, which takes 2 s, does not come in time.
    EXPECT_EQ(client.fscGetLatitude(degrees), 1);
    // The deadline has passed: nothing more is sent.
    EXPECT_EQ(client.fscGetLatitude(degrees), 1);
    EXPECT_EQ(platform.timeouts, (std::vector<uint32_t>{5000, 3000, 1000}));
    EXPECT_EQ(platform.sent.size(), 3u);
    // A new client, as for a new click, has the whole time again.
    FscClient next(platform, [](const std::string&) {});
    EXPECT_EQ(next.fscGetLatitude(degrees), 0);
    EXPECT_EQ(platform.timeouts.back(), 5000u);
}

TEST_F(FscClientTest, ReplyValuesWithoutAnAtom) {
    struct Case {
        intptr_t reply;
        bool answers;
        int16_t result;
    };
    const Case cases[] = {{0, true, 1}, {7, true, 7}, {32767, true, 32767}, {0, false, 1}};
    for (const Case& c : cases) {
        platform.reply = c.reply;
        platform.answers = c.answers;
        double degrees = 3.25;
        std::string first = "f", rest = "r";
        int32_t a = 5, b = 6;
        EXPECT_EQ(client.fscGetLatitude(degrees), c.result) << c.reply;
        EXPECT_EQ(client.fscGetStatus(first, rest, a, b), c.result) << c.reply;
        EXPECT_EQ(degrees, 3.25);
        EXPECT_EQ(first + rest, "fr");
        EXPECT_EQ(a + b, 11);
    }
    EXPECT_TRUE(faults.empty());
    EXPECT_TRUE(platform.deletions.empty());
}

TEST_F(FscClientTest, RequestsCarryTheirParameters) {
    double degrees = 0;
    std::string first, rest;
    int32_t a = 0, b = 0;
    client.fscGetStatus(first, rest, a, b);
    client.fscGetLatitude(degrees);
    client.fscGetLongitude(degrees);
    ASSERT_EQ(platform.sent.size(), 3u);
    EXPECT_EQ(platform.sent[0].wParam, 10u);
    EXPECT_EQ(platform.sent[0].lParam, 0);
    EXPECT_EQ(platform.sent[1].wParam, 1u);
    EXPECT_EQ(platform.sent[1].lParam, 71);
    EXPECT_EQ(platform.sent[2].lParam, 72);
    for (const auto& message : platform.sent) {
        EXPECT_EQ(message.window, 0x1234u);
        EXPECT_EQ(message.id, 0xC0DEu);
    }
}

TEST_F(FscClientTest, PositionsScaleFromFsConnectsUnits) {
    struct Case {
        int32_t code;
        const char* reply;
        double degrees;
    };
    const Case cases[] = {
        {FSC_VAR_LATITUDE, "00000000000000C0AA136341", 90.0},
        {FSC_VAR_LATITUDE, "00000000000000C0AA1353C1", -45.0},
        {FSC_VAR_LATITUDE, "00000000000000c0aa1353c1", -45.0},
        {FSC_VAR_LONGITUDE, "00000000000000000000D042", 90.0},
        {FSC_VAR_LONGITUDE, "00000000000000000000E0C2", -180.0},
    };
    for (const Case& c : cases) {
        platform.ReplyWith(c.reply);
        double degrees = 1;
        const int16_t result =
            c.code == FSC_VAR_LATITUDE ? client.fscGetLatitude(degrees) : client.fscGetLongitude(degrees);
        EXPECT_EQ(result, 0) << c.reply;
        EXPECT_EQ(degrees, c.degrees) << c.reply;
    }
    // Every reply atom was read into 255 characters and deleted exactly once.
    EXPECT_EQ(platform.deletions, (std::map<uint16_t, int>{{0xC123, static_cast<int>(std::size(cases))}}));
    EXPECT_EQ(platform.bufferSizes, std::vector<int>(std::size(cases), 255));
}

TEST_F(FscClientTest, ReadRecordsDecodeByTypeLetter) {
    // Header 0x04030201; value bytes 5-12 hold the double 2.5 (integer view: its low 4 bytes, 0).
    platform.ReplyWith("010203040000000000000440FFEE");
    struct Case {
        const char* letter;
        FscValue::Kind kind;
    };
    const Case cases[] = {{"n", FscValue::Kind::Double},  {"N", FscValue::Kind::Double},
                          {"b", FscValue::Kind::Double},  {"e", FscValue::Kind::Integer},
                          {"P", FscValue::Kind::Integer}, {"x", FscValue::Kind::None},
                          {"", FscValue::Kind::None},     {"nn", FscValue::Kind::None}};
    for (const Case& c : cases) {
        FscValue value;
        std::string replyText;
        int32_t header = 0;
        EXPECT_EQ(client.fscGetVariable(FSC_VAR_LATITUDE, c.letter, value, replyText, header), 0) << c.letter;
        EXPECT_EQ(value.kind, c.kind) << c.letter;
        EXPECT_EQ(header, 0x04030201) << c.letter;
        EXPECT_EQ(replyText, "0000000000000440FFEE") << c.letter;
        if (c.kind == FscValue::Kind::Double) {
            EXPECT_EQ(value.real, 2.5);
        } else if (c.kind == FscValue::Kind::Integer) {
            EXPECT_EQ(value.integer, 0);
        }
    }
}

TEST_F(FscClientTest, RepliesOfAnyLengthKeepTheirFieldsInPlace) {
    struct Case {
        const char* reply;
        int32_t header;
        double value;
        const char* replyText;
    };
    const Case cases[] = {
        {"FFFFFFFF", -1, 0, ""},
        {"0100000", 1, 0, ""},  // odd length: the last digit is ignored
        {"00000000000000000000F03F", 0, 1.0, "000000000000F03F"},
        {"00000000000000000000F03F7", 0, 1.0, "000000000000F03F7"},
        {"0000000000000000", 0, 0, "00000000"},
        // Bytes 13 to 20 follow the value and change neither it nor the header.
        {"0700000000000000000024C01122334455667788", 7, -10.0, "00000000000024C01122334455667788"},
    };
    for (const Case& c : cases) {
        platform.ReplyWith(c.reply);
        FscValue value;
        std::string replyText = "x";
        int32_t header = 99;
        EXPECT_EQ(client.fscGetVariable(FSC_VAR_LATITUDE, "n", value, replyText, header), 0) << c.reply;
        EXPECT_EQ(header, c.header) << c.reply;
        EXPECT_EQ(value.real, c.value) << c.reply;
        EXPECT_EQ(replyText, c.replyText) << c.reply;
    }
}

TEST_F(FscClientTest, FaultsAreShownByThePositionRoutineAndChangeNothing) {
    struct Case {
        const char* name;
        intptr_t reply;   // used when text is null
        const char* text;
        const char* description;
    };
    const Case cases[] = {
        {"reply beyond 16 bits", 40000, nullptr, "Overflow"},
        {"reply below 16 bits", -40000, nullptr, "Overflow"},
        {"digit pair not hexadecimal", 0, "00000000000000G0AA136341", "Type mismatch"},
    };
    for (const Case& c : cases) {
        if (c.text) {
            platform.ReplyWith(c.text);
        } else {
            platform.reply = c.reply;
        }
        faults.clear();
        double degrees = 7.5;
        EXPECT_NE(client.fscGetLatitude(degrees), 0) << c.name;
        EXPECT_NE(client.fscGetLongitude(degrees), 0) << c.name;
        EXPECT_EQ(degrees, 7.5) << c.name;
        EXPECT_EQ(faults, (std::vector<std::string>{std::string("Error in routine fscGetLatitude!\r\r") + c.description,
                                                    std::string("Error in routine fscGetLongitude!\r\r") +
                                                        c.description}))
            << c.name;
    }
}

TEST_F(FscClientTest, StatusRepliesSplitByCharacterPosition) {
    platform.ReplyWith("FSC8 0000002AFFFFFFFEready and able");
    std::string first, rest;
    int32_t a = 0, b = 0;
    EXPECT_EQ(client.fscGetStatus(first, rest, a, b), 0);
    EXPECT_EQ(first, "FSC8 ");
    EXPECT_EQ(a, 42);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(rest, "ready and able");

    platform.ReplyWith("FSC8 0000002a7");  // a second number of one digit is still a number
    EXPECT_EQ(client.fscGetStatus(first, rest, a, b), 0);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(rest, "");
    for (const char* broken : {"FSC8 0000002A", "FSC8 0000002AZZ", "short", "FSC8 zz00002A00000001"}) {
        platform.ReplyWith(broken);
        first = "kept";
        EXPECT_NE(client.fscGetStatus(first, rest, a, b), 0) << broken;
        EXPECT_EQ(first, "kept") << broken;
    }
    EXPECT_TRUE(faults.empty());
}

TEST_F(FscClientTest, AnAtomWithoutANameIsNoAnswer) {
    platform.reply = static_cast<int16_t>(0xC555);  // no such atom in the table
    double degrees = 2;
    EXPECT_EQ(client.fscGetLatitude(degrees), 1);
    EXPECT_EQ(degrees, 2);
    EXPECT_EQ(platform.deletions[0xC555], 1);
}

TEST(FormatDegrees, FifteenDigitsPointAndNoExponent) {
    struct Case {
        double degrees;
        const char* text;
    };
    const Case cases[] = {
        {90.0, "90"},
        {-45.0, "-45"},
        {59.507525962956485, "59.5075259629565"},
        {15.789838430338037, "15.789838430338"},
        {-2500437.5 / 40007000.0 * 360.0, "-22.5"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.00001, "0.00001"},
        {-1.5e-7, "-0.00000015"},
        {180.0, "180"},
        {-179.99999999999997, "-180"},
        {123456789012345678.0, "123456789012346000"},
        {0.1 + 0.2, "0.3"},
        // No position: nothing to write, and nothing read past the end of a text.
        {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
        {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDegrees(c.degrees), c.text) << c.degrees;
}

}  // namespace
