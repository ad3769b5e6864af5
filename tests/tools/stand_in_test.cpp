#include "stand_in.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "golden_texts.h"
#include "test_folder.h"

namespace {

namespace fs = std::filesystem;

// A source file as the program saves it: the document and one more line end.
const std::string kGenerated = std::string(kWindsocksSecondsDocument) + "\r\n";

std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    ASSERT_TRUE(file.good()) << path;
}

bool Exists(const std::string& path) {
    return fs::exists(fs::path(path));
}

TEST(BglPathFor, ReplacesTheExtensionOfTheFileNameOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\FS9\\my area.xml", "C:\\FS9\\my area.bgl"},
        {"C:\\FS9\\area.backup.XML", "C:\\FS9\\area.backup.bgl"},
        {"C:\\FS9\\area", "C:\\FS9\\area.bgl"},
        {"C:\\v1.2\\area", "C:\\v1.2\\area.bgl"},
        {"/tmp/v1.2/area", "/tmp/v1.2/area.bgl"},
        {"C:area.xml", "C:area.bgl"},
        {"area.", "area.bgl"},
        {"area", "area.bgl"},
    };
    for (const auto& c : cases) EXPECT_EQ(BglPathFor(c.first), c.second) << c.first;
}

TEST(RunStandIn, CompilesAGoodFileAndLogsTheArgumentAsReceived) {
    TestFolder folder;
    // Blanks, per cent signs and an accented letter, passed on as bytes. The name is joined
    // by hand: std::filesystem under MinGW would convert the non-ASCII bytes on the way.
    const std::string subfolder = folder.Path("a b %x%");
    fs::create_directory(subfolder);
    const std::string source = subfolder + "/my \xC3\xBC area.xml";
    const std::string bgl = subfolder + "/my \xC3\xBC area.bgl";
    const std::string log = folder.Path("bglcomp.log");
    Write(source, kGenerated);

    const StandInRun run = RunStandIn({source}, log);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find(bgl), std::string::npos) << run.out;
    EXPECT_EQ(Read(bgl), std::string(kStandInMarker) + "\r\nsource: " + source +
                             "\r\nlatitudeMinimum = N47 15' 10\"\r\nlatitudeMaximum = N47 25' 53.4\"\r\n"
                             "longitudeMinimum = W122 30' 0.0\"\r\nlongitudeMaximum = W122 15' 2.5\"\r\n"
                             "excludeWindsockObjects = TRUE\r\n");
    EXPECT_EQ(Read(log), "called with: " + source + "\r\nok: " + bgl + "\r\n");
    EXPECT_EQ(Read(source), kGenerated);
}

TEST(RunStandIn, FailsWithoutOutputOnAFaultyOrMissingFile) {
    struct Case {
        const char* name;
        const char* content;  // Null: no file.
        std::string error;
    };
    const Case cases[] = {
        {"unescaped quote", "<FSData><ExclusionRectangle\r\n a=\"5\"\" /></FSData>",
         "line 2: unexpected '\"' after the value of a"},
        {"two rectangles", "<FSData><ExclusionRectangle/><ExclusionRectangle/></FSData>",
         "line 1: a second ExclusionRectangle element"},
        {"empty file", "", "the file is empty"},
        {"missing file", nullptr, std::strerror(ENOENT)},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        const std::string source = folder.Path("area.xml");
        const std::string log = folder.Path("bglcomp.log");
        if (c.content) Write(source, c.content);

        const StandInRun run = RunStandIn({source}, log);

        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(source), std::string::npos) << c.name << ": " << run.err;
        EXPECT_FALSE(Exists(folder.Path("area.bgl"))) << c.name;
        const std::string logged = Read(log);
        const std::string expectedStart = "called with: " + source + "\r\nerror: ";
        EXPECT_EQ(logged.compare(0, expectedStart.size(), expectedStart), 0) << c.name << ": " << logged;
        EXPECT_NE(logged.find(c.error + "\r\n"), std::string::npos) << c.name << ": " << logged;
    }
}

TEST(RunStandIn, RefusesAnythingButOneArgument) {
    struct Case {
        std::vector<std::string> args;
        const char* logged;
    };
    const Case cases[] = {
        {{}, "called with 0 arguments:\r\nerror: expected one argument, got 0\r\n"},
        {{"C:\\a", "b\\x.xml"},
         "called with 2 arguments: [C:\\a] [b\\x.xml]\r\nerror: expected one argument, got 2\r\n"},
        {{"--fail"}, "called with: --fail\r\nerror: wrong switch --fail\r\n"},
        {{"--loud", "x.xml"}, "called with 2 arguments: [--loud] [x.xml]\r\nerror: wrong switch --loud\r\n"},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        const std::string log = folder.Path("bglcomp.log");

        const StandInRun run = RunStandIn(c.args, log);

        EXPECT_EQ(run.exitCode, 2) << c.logged;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.compare(0, 7, "usage: "), 0) << run.err;
        EXPECT_EQ(Read(log), c.logged);
    }
}

TEST(RunStandIn, FailsOnRequestWithTheGivenErrorAndNoOutput) {
    TestFolder folder;
    const std::string source = folder.Path("area.xml");
    const std::string log = folder.Path("bglcomp.log");
    Write(source, kGenerated);
    // Waiting for a file that is there already takes no time.
    const StandInRun run = RunStandIn({"--wait-for", log, "--fail", "line 7: unknown attribute", source}, log);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "Compiling " + source + "\n");
    EXPECT_EQ(run.err, "line 7: unknown attribute\n");
    EXPECT_FALSE(Exists(folder.Path("area.bgl")));
    EXPECT_EQ(Read(log), "called with: " + source + "\r\nerror: line 7: unknown attribute\r\n");

    // One that breaks down while it writes leaves the first line of its output.
    const StandInRun partial = RunStandIn({"--partial", source}, log);
    EXPECT_EQ(partial.exitCode, 1);
    EXPECT_EQ(partial.err, "broke down while writing " + folder.Path("area.bgl") + "\n");
    EXPECT_EQ(Read(folder.Path("area.bgl")), std::string(kStandInMarker) + "\r\n");
    // One that leaves a helper behind compiles and says what its helper waits for.
    const StandInRun helped = RunStandIn({"--leave-helper", log, source}, log);
    EXPECT_EQ(helped.exitCode, 0);
    EXPECT_EQ(helped.helperWaitsFor, log);
    const StandInRun flooding = RunStandIn({"--flooding-helper", log, source}, log);
    EXPECT_EQ(flooding.helperWaitsFor, log);
    EXPECT_TRUE(flooding.helperFloods && !helped.helperFloods);
    // One that leaves a late line behind and ends late does so whatever its outcome.
    const StandInRun late = RunStandIn({"--late-line", "done", "--end-after", log, "--fail", "x", source}, log);
    EXPECT_EQ(late.lateLine + "|" + late.endAfter, "done|" + log);
}

TEST(RunStandIn, AppendsToTheLogAndReplacesAnOldOutput) {
    TestFolder folder;
    const std::string source = folder.Path("area.xml");
    const std::string bgl = folder.Path("area.bgl");
    const std::string log = folder.Path("bglcomp.log");
    Write(source, kGenerated);
    Write(log, "earlier\r\n");
    Write(bgl, std::string(5000, '~'));

    EXPECT_EQ(RunStandIn({source}, log).exitCode, 0);

    EXPECT_EQ(Read(log), "earlier\r\ncalled with: " + source + "\r\nok: " + bgl + "\r\n");
    const std::string output = Read(bgl);
    EXPECT_EQ(output.find(std::string(kStandInMarker) + "\r\n"), 0u);
    EXPECT_EQ(output.find('~'), std::string::npos);
}

TEST(RunStandIn, ReportsAnOutputItCannotWrite) {
    TestFolder folder;
    const std::string source = folder.Path("area.xml");
    const std::string log = folder.Path("bglcomp.log");
    Write(source, kGenerated);
    // A folder where the output would go: no program can open it as a file.
    fs::create_directory(folder.Path("area.bgl"));

    const StandInRun run = RunStandIn({source}, log);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot write " + folder.Path("area.bgl") + ": "), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_directory(folder.Path("area.bgl")));
    EXPECT_NE(Read(log).find("\r\nerror: cannot write "), std::string::npos);
}

TEST(RunStandIn, StillCompilesWhenTheLogCannotBeWritten) {
    TestFolder folder;
    const std::string source = folder.Path("area.xml");
    const std::string log = folder.Path("missing folder/bglcomp.log");
    Write(source, kGenerated);

    const StandInRun run = RunStandIn({source}, log);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("warning: cannot append to the log " + log + ": "), std::string::npos) << run.err;
    EXPECT_TRUE(Exists(folder.Path("area.bgl")));
}

}  // namespace
