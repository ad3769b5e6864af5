#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "replies.h"

namespace {

const char* const kStatus = "FSC8 0000080000000009Zonewright FSConnect simulator";
const char* const kLat90 = "00000000000000C0AA136341";
const char* const kLonMinus180 = "00000000000000000000E0C2";

TEST(FsconnectUnits, ConvertDegreesToTheUnitsOfACircle) {
    EXPECT_EQ(LatitudeUnits(90), 10001750.0);
    EXPECT_EQ(LatitudeUnits(-45), -5000875.0);
    EXPECT_EQ(LatitudeUnits(360), 40007000.0);
    EXPECT_EQ(LatitudeUnits(0), 0.0);
    EXPECT_EQ(LongitudeUnits(90), 70368744177664.0);  // 2^46
    EXPECT_EQ(LongitudeUnits(-180), -140737488355328.0);
    EXPECT_DOUBLE_EQ(LongitudeUnits(-122.25), -122.25 / 360 * 281474976710656.0);
}

TEST(ReadReplyText, IsTheHeaderAndTheDoubleLittleEndianInUpperCaseHex) {
    EXPECT_EQ(ReadReplyText(0, LatitudeUnits(90)), kLat90);
    EXPECT_EQ(ReadReplyText(0, LatitudeUnits(-45)), "00000000000000C0AA1353C1");
    EXPECT_EQ(ReadReplyText(0, LongitudeUnits(90)), "00000000000000000000D042");
    EXPECT_EQ(ReadReplyText(0, LongitudeUnits(-180)), kLonMinus180);
    EXPECT_EQ(ReadReplyText(0, 1.0), "00000000000000000000F03F");
    // The header's bytes come lowest first too, and a negative one is in two's complement.
    EXPECT_EQ(ReadReplyText(0x12AB34CD, 0.0), "CD34AB120000000000000000");
    EXPECT_EQ(ReadReplyText(-2, 0.0), "FEFFFFFF0000000000000000");
}

TEST(StatusReplyText, HasFiveCharactersTwoEightDigitNumbersAndFreeText) {
    const std::string text = StatusReplyText();
    EXPECT_EQ(text, kStatus);
    EXPECT_EQ(text.substr(0, 5), kStatusName);
    EXPECT_EQ(std::stoul(text.substr(5, 8), nullptr, 16), kStatusVersion);
    EXPECT_EQ(std::stoul(text.substr(13, 8), nullptr, 16), kStatusSimulator);
    EXPECT_EQ(text.substr(21), kStatusText);
    EXPECT_LE(text.size(), 255u);  // the longest atom name
}

SimOptions At(double latitude, double longitude) {
    SimOptions options;
    options.latitude = latitude;
    options.longitude = longitude;
    return options;
}

void ExpectText(const Reply& reply, const std::string& text, int delayMs = 0) {
    EXPECT_EQ(reply.kind, Reply::Kind::Text);
    EXPECT_EQ(reply.text, text);
    EXPECT_EQ(reply.delayMs, delayMs);
}

void ExpectValue(const Reply& reply, int32_t value, int delayMs = 0) {
    EXPECT_EQ(reply.kind, Reply::Kind::Value);
    EXPECT_EQ(reply.value, value);
    EXPECT_EQ(reply.text, "");
    EXPECT_EQ(reply.delayMs, delayMs);
}

TEST(Respond, AnswersStatusAndPositionReadsAndCodesTheRest) {
    const SimOptions options = At(90, -180);
    ExpectText(Respond(options, kRequestStatus, 0), kStatus);
    ExpectText(Respond(options, kRequestRead, kVariableLatitude), kLat90);
    ExpectText(Respond(options, kRequestRead, kVariableLongitude), kLonMinus180);
    ExpectText(Respond(At(-45, 90), kRequestRead, kVariableLatitude), "00000000000000C0AA1353C1");
    ExpectText(Respond(At(-45, 90), kRequestRead, kVariableLongitude), "00000000000000000000D042");
    ExpectValue(Respond(options, kRequestRead, 73), kUnknownVariableCode);
    ExpectValue(Respond(options, kRequestRead, 0), kUnknownVariableCode);
    ExpectValue(Respond(options, 2, kVariableLatitude), 0);
    ExpectValue(Respond(options, 0, 0), 0);
}

TEST(Respond, FaultsConcernStatusAndPositionReadsAlike) {
    SimOptions options = At(90, -180);
    options.slowMs = 250;

    options.fault = Fault::ReplyZero;
    ExpectValue(Respond(options, kRequestStatus, 0), 0, 250);
    ExpectValue(Respond(options, kRequestRead, kVariableLatitude), 0, 250);

    options.fault = Fault::Code;
    options.code = 7;
    ExpectValue(Respond(options, kRequestStatus, 0), 7, 250);
    ExpectValue(Respond(options, kRequestRead, kVariableLongitude), 7, 250);

    options.fault = Fault::OutOfRange;
    ExpectValue(Respond(options, kRequestStatus, 0), kOutOfRangeValue, 250);
    ExpectValue(Respond(options, kRequestRead, kVariableLatitude), kOutOfRangeValue, 250);
    EXPECT_GT(kOutOfRangeValue, 32767);

    options.fault = Fault::Hang;
    for (const Reply& reply :
         {Respond(options, kRequestStatus, 0), Respond(options, kRequestRead, kVariableLatitude)}) {
        EXPECT_EQ(reply.kind, Reply::Kind::Never);
        EXPECT_EQ(reply.delayMs, 250);
    }

    // These two are about one kind of reply each; the other kind is answered as usual, late.
    options.fault = Fault::NonHex;
    ExpectText(Respond(options, kRequestStatus, 0), kStatus, 250);
    ExpectText(Respond(options, kRequestRead, kVariableLatitude), "00000000ZZ0000C0AA136341", 250);

    options.fault = Fault::BadStatus;
    ExpectText(Respond(options, kRequestStatus, 0), "FSC8 ZZZZZZZZ", 250);
    ExpectText(Respond(options, kRequestRead, kVariableLatitude), kLat90, 250);

    options.fault = Fault::None;
    ExpectText(Respond(options, kRequestStatus, 0), kStatus, 250);
    ExpectText(Respond(options, kRequestRead, kVariableLongitude), kLonMinus180, 250);
}

TEST(Respond, ScopeLimitsTheFaultAndTheWaitToOneKindOfRequest) {
    SimOptions options = At(90, -180);
    options.fault = Fault::Code;
    options.code = 9;
    options.slowMs = 100;

    options.scope = FaultScope::StatusOnly;
    ExpectValue(Respond(options, kRequestStatus, 0), 9, 100);
    ExpectText(Respond(options, kRequestRead, kVariableLatitude), kLat90);

    options.scope = FaultScope::ReadOnly;
    ExpectText(Respond(options, kRequestStatus, 0), kStatus);
    ExpectValue(Respond(options, kRequestRead, kVariableLatitude), 9, 100);
    ExpectValue(Respond(options, kRequestRead, kVariableLongitude), 9, 100);
}

TEST(Respond, OtherRequestsIgnoreFaultsAndWaits) {
    SimOptions options;
    options.slowMs = 100;
    for (Fault fault : {Fault::Hang, Fault::Code, Fault::ReplyZero, Fault::OutOfRange}) {
        options.fault = fault;
        options.code = 5;
        ExpectValue(Respond(options, kRequestRead, 99), kUnknownVariableCode);
        ExpectValue(Respond(options, 7, 0), 0);
    }
}

TEST(LogLine, GivesTheRequestTheResultAndAnyText) {
    EXPECT_EQ(LogLine(1, 71, -16300, kLat90), std::string("wParam=1 lParam=71 result=-16300 text=") + kLat90);
    EXPECT_EQ(LogLine(10, 0, -1, kStatus), std::string("wParam=10 lParam=0 result=-1 text=") + kStatus);
    EXPECT_EQ(LogLine(1, 73, 3, ""), "wParam=1 lParam=73 result=3");
    EXPECT_EQ(LogLine(1, -5, 0, ""), "wParam=1 lParam=-5 result=0");
    EXPECT_EQ(LogLine(1, 72, std::nullopt, ""), "wParam=1 lParam=72 result=never");
}

ParsedCommandLine Parse(const std::vector<std::string>& args) {
    ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.error, "");
    return parsed;
}

TEST(ParseCommandLine, TakesThePositionAndDefaultsToZero) {
    const ParsedCommandLine none = Parse({});
    EXPECT_EQ(none.options.latitude, 0.0);
    EXPECT_EQ(none.options.longitude, 0.0);
    EXPECT_EQ(none.options.fault, Fault::None);
    EXPECT_EQ(none.options.slowMs, 0);
    EXPECT_EQ(none.options.scope, FaultScope::Both);
    EXPECT_EQ(none.options.logPath, "");
    EXPECT_FALSE(none.help);

    const SimOptions given = Parse({"--lon", "-122.25", "--lat", "47.5"}).options;
    EXPECT_EQ(given.latitude, 47.5);
    EXPECT_EQ(given.longitude, -122.25);

    const SimOptions edges = Parse({"--lat", "-90", "--lon", "+180"}).options;
    EXPECT_EQ(edges.latitude, -90.0);
    EXPECT_EQ(edges.longitude, 180.0);

    EXPECT_EQ(Parse({"--lat", ".5", "--lon", "7."}).options.latitude, 0.5);
    EXPECT_EQ(Parse({"--lat", ".5", "--lon", "7."}).options.longitude, 7.0);
    EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(ParseCommandLine, TakesEachFaultSwitchWithScopeWaitAndLog) {
    const std::pair<std::vector<std::string>, Fault> cases[] = {
        {{"--reply-zero"}, Fault::ReplyZero},    {{"--code", "12"}, Fault::Code}, {{"--non-hex"}, Fault::NonHex},
        {{"--out-of-range"}, Fault::OutOfRange}, {{"--hang"}, Fault::Hang},       {{"--bad-status"}, Fault::BadStatus},
        {{"--slow", "5000"}, Fault::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first[0]);
        EXPECT_EQ(Parse(c.first).options.fault, c.second);
    }
    EXPECT_EQ(Parse({"--code", "12"}).options.code, 12);
    EXPECT_EQ(Parse({"--code", "32767"}).options.code, 32767);

    const SimOptions o = Parse({"--code", "1", "--read-only", "--slow", "0", "--log", "C:\\a b\\sim.log"}).options;
    EXPECT_EQ(o.fault, Fault::Code);
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.scope, FaultScope::ReadOnly);
    EXPECT_EQ(o.slowMs, 0);
    EXPECT_EQ(o.logPath, "C:\\a b\\sim.log");

    EXPECT_EQ(Parse({"--status-only", "--slow", "3600000"}).options.scope, FaultScope::StatusOnly);
    EXPECT_EQ(Parse({"--status-only", "--slow", "3600000"}).options.slowMs, 3600000);
    EXPECT_EQ(Parse({"--non-hex", "--read-only"}).options.scope, FaultScope::ReadOnly);
    EXPECT_EQ(Parse({"--bad-status", "--status-only"}).options.scope, FaultScope::StatusOnly);
}

TEST(ParseCommandLine, RefusesBadArgumentsAndSaysWhy) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--lat"}, "--lat needs a value"},
        {{"--lat", "abc"}, "--lat needs decimal degrees from -90 to 90, not \"abc\""},
        {{"--lat", "90.1"}, "--lat needs decimal degrees"},
        {{"--lat", "1e2"}, "--lat needs decimal degrees"},
        {{"--lat", "inf"}, "--lat needs decimal degrees"},
        {{"--lat", "nan"}, "--lat needs decimal degrees"},
        {{"--lat", "0x10"}, "--lat needs decimal degrees"},
        {{"--lat", "1.2.3"}, "--lat needs decimal degrees"},
        {{"--lat", "-"}, "--lat needs decimal degrees"},
        {{"--lat", "."}, "--lat needs decimal degrees"},
        {{"--lat", ""}, "--lat needs decimal degrees"},
        {{"--lat", "4 5"}, "--lat needs decimal degrees"},
        {{"--lon", "-180.01"}, "--lon needs decimal degrees from -180 to 180"},
        {{"--lon", "12,5"}, "--lon needs decimal degrees"},
        {{"--lat", "1", "--lat", "2"}, "--lat is given twice"},
        {{"--lon", "1", "--lon", "2"}, "--lon is given twice"},
        {{"--code"}, "--code needs a value"},
        {{"--code", "0"}, "--code needs a number from 1 to 32767"},
        {{"--code", "32768"}, "--code needs a number from 1 to 32767"},
        {{"--code", "-3"}, "--code needs a number"},
        {{"--code", "7x"}, "--code needs a number"},
        {{"--code", "99999999999"}, "--code needs a number"},
        {{"--slow", "-1"}, "--slow needs milliseconds"},
        {{"--slow", "3600001"}, "--slow needs milliseconds"},
        {{"--slow", "1", "--slow", "2"}, "--slow is given twice"},
        {{"--log"}, "--log needs a value"},
        {{"--log", ""}, "--log needs a file name"},
        {{"--log", "a", "--log", "b"}, "--log is given twice"},
        {{"--reply-zero", "--hang"}, "only one fault switch may be given: --reply-zero and --hang"},
        {{"--code", "3", "--code", "4"}, "only one fault switch may be given"},
        {{"--status-only", "--read-only", "--hang"}, "only one of --status-only and --read-only"},
        {{"--read-only"}, "--read-only needs a fault switch or --slow"},
        {{"--status-only"}, "--status-only needs a fault switch or --slow"},
        {{"--non-hex", "--status-only"}, "--non-hex and --status-only leave nothing to answer wrongly"},
        {{"--read-only", "--bad-status"}, "--bad-status and --read-only leave nothing"},
        {{"--lattitude", "1"}, "unknown argument \"--lattitude\""},
        {{"47.5"}, "unknown argument \"47.5\""},
    };
    for (const auto& c : cases) {
        std::string args;
        for (const std::string& arg : c.first) args += "[" + arg + "]";
        SCOPED_TRACE(args);
        const std::string error = ParseCommandLine(c.first).error;
        EXPECT_NE(error.find(c.second), std::string::npos) << error;
    }
}

}  // namespace
