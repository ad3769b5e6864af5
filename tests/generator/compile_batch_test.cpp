#include "generator/compile_batch.h"

#include <gtest/gtest.h>

#include "lead_bytes.h"

namespace {

TEST(CompileBatchText, WritesTheCompileLineAlone) {
    struct Case {
        const char* name;
        const char* compiler;
        const char* xml;
        const char* text;
    };
    const Case cases[] = {
        {"compile line", "C:\\FS9\\bglcomp.exe", "C:\\scenery\\x.xml",
         "\"C:\\FS9\\bglcomp.exe\" \"C:\\scenery\\x.xml\"\r\n"},
        {"blanks stay inside the quotes", "C:\\Program Files\\FS9 SDK\\bglcomp.exe", "D:\\my scenery\\a b.xml",
         "\"C:\\Program Files\\FS9 SDK\\bglcomp.exe\" \"D:\\my scenery\\a b.xml\"\r\n"},
        {"percent signs are doubled", "C:\\100%\\bglcomp.exe", "C:\\100% scenery\\%TEMP%.xml",
         "\"C:\\100%%\\bglcomp.exe\" \"C:\\100%% scenery\\%%TEMP%%.xml\"\r\n"},
        {"other bytes pass unchanged", "C:\\J\x81rgen\\bglcomp.exe", "C:\\J\x81rgen\\x&y^z!a!.xml",
         "\"C:\\J\x81rgen\\bglcomp.exe\" \"C:\\J\x81rgen\\x&y^z!a!.xml\"\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompileBatchText(c.compiler, c.xml), c.text) << c.name;
    }
}

TEST(CompiledBglPath, ReplacesTheExtensionOfTheFileNameOnly) {
    const LeadBytes none;
    const struct {
        const char* xml;
        const char* bgl;
        const LeadBytes& lead;
    } cases[] = {
        {"C:\\FS9\\my area.xml", "C:\\FS9\\my area.bgl", none},
        {"C:\\FS9\\area.backup.XML", "C:\\FS9\\area.backup.bgl", none},
        {"C:\\v1.2\\area", "C:\\v1.2\\area.bgl", none},
        {"C:area.xml", "C:area.bgl", none},
        {"area.", "area.bgl", none},
        // 0x95 0x5C is one character in 932: no separator, and the extension after it is replaced.
        {"C:\\v1.2\\a.\x95\x5C", "C:\\v1.2\\a.bgl", JapaneseLeadBytes()},
        {"C:\\v1.2\\a.\x95\x5C", "C:\\v1.2\\a.\x95\x5C.bgl", none},
    };
    for (const auto& c : cases) EXPECT_EQ(CompiledBglPath(c.xml, c.lead), c.bgl) << c.xml;
}

TEST(IsNetworkPath, TellsFoldersOnAnotherComputer) {
    const std::pair<const char*, bool> cases[] = {
        {"\\\\server\\share\\Zonewright", true},
        {"//server/share", true},
        {"\\\\?\\UNC\\server\\share", true},
        {"\\\\?\\C:\\Zonewright", false},
        {"\\\\.\\C:\\Zonewright", false},
        {"C:\\Zonewright", false},
        {"\\Zonewright", false},
        {"", false},
    };
    for (const auto& [path, network] : cases) EXPECT_EQ(IsNetworkPath(path), network) << path;
}

TEST(CompileFailedMessage, ShowsTheLastTwentyLinesOfWhatTheCompilerPrinted) {
    std::string output = "\r\n  \r\n";
    for (int i = 1; i <= 25; ++i) output += "line " + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    output += "\r\n\r\n";
    std::string last20;
    for (int i = 6; i <= 25; ++i) last20 += "line " + std::to_string(i) + (i < 25 ? "\r\n" : "");
    const std::string message = CompileFailedMessage("C:\\s\\a.bgl", "C:\\s\\a.xml", output, 0, BglLeft::Nothing);
    EXPECT_EQ(message,
              "No .bgl file was made: the compiler did not write \"C:\\s\\a.bgl\".\r\n\r\n"
              "The compiler printed:\r\n" +
                  last20 + "\r\n\r\nThe XML source \"C:\\s\\a.xml\" was kept.");

    EXPECT_EQ(LastLines("\r\n  first\r\n\r\nlast", 20), "  first\r\n\r\nlast");
    EXPECT_EQ(LastLines("a\r\nb\r\nc\r\n", 2), "b\r\nc");
    EXPECT_EQ(LastLines("only line without end", 20), "only line without end");
    const std::string silent = CompileFailedMessage("a.bgl", "a.xml", " \r\n\r\n", 2, BglLeft::Nothing);
    EXPECT_EQ(silent,
              "The compiler failed (exit code 2). It did not write \"a.bgl\".\r\n\r\nThe compiler printed nothing."
              "\r\n\r\nThe XML source \"a.xml\" was kept.");
}

}  // namespace
