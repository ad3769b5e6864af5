#include "generator/compile_batch.h"

#include <gtest/gtest.h>

namespace {

TEST(CompileBatchText, WritesTheCompileLineAndTheDeleteLineOnRequest) {
    struct Case {
        const char* name;
        const char* compiler;
        const char* xml;
        bool deleteSource;
        const char* text;
    };
    const Case cases[] = {
        {"compile only", "C:\\FS9\\bglcomp.exe", "C:\\scenery\\x.xml", false,
         "\"C:\\FS9\\bglcomp.exe\" \"C:\\scenery\\x.xml\"\r\n"},
        {"compile, then delete", "C:\\FS9\\bglcomp.exe", "C:\\scenery\\x.xml", true,
         "\"C:\\FS9\\bglcomp.exe\" \"C:\\scenery\\x.xml\"\r\nDEL \"C:\\scenery\\x.xml\"\r\n"},
        {"no compiler location", "", "C:\\x.xml", false, "\"\" \"C:\\x.xml\"\r\n"},
        {"blanks stay inside the quotes", "C:\\Program Files\\FS9 SDK\\bglcomp.exe", "D:\\my scenery\\a b.xml", true,
         "\"C:\\Program Files\\FS9 SDK\\bglcomp.exe\" \"D:\\my scenery\\a b.xml\"\r\n"
         "DEL \"D:\\my scenery\\a b.xml\"\r\n"},
        {"percent signs are doubled", "C:\\100%\\bglcomp.exe", "C:\\100% scenery\\%TEMP%.xml", true,
         "\"C:\\100%%\\bglcomp.exe\" \"C:\\100%% scenery\\%%TEMP%%.xml\"\r\n"
         "DEL \"C:\\100%% scenery\\%%TEMP%%.xml\"\r\n"},
        {"other bytes pass unchanged", "C:\\J\x81rgen\\bglcomp.exe", "C:\\J\x81rgen\\x&y^z.xml", false,
         "\"C:\\J\x81rgen\\bglcomp.exe\" \"C:\\J\x81rgen\\x&y^z.xml\"\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompileBatchText(c.compiler, c.xml, c.deleteSource), c.text) << c.name;
    }
}

}  // namespace
