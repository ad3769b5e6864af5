#include <gtest/gtest.h>

#include <cstdio>

#include "driver.h"
#include "fixture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string exe = e2e::FindZonewrightExe();
    if (exe.empty()) {
        std::fprintf(stderr, "Zonewright.exe not found above the test program; set ZONEWRIGHT_EXE to its path.\n");
        return 2;
    }
    std::printf("Testing %s\n", exe.c_str());
    // The build may be redone while the tests run: every test copies the programs as they were
    // at the start.
    TestFolder programs;
    const std::string copy = programs.Path("Zonewright.exe");
    if (!CopyFileA(exe.c_str(), copy.c_str(), TRUE)) {
        std::fprintf(stderr, "Could not copy %s (error %lu).\n", exe.c_str(), GetLastError());
        return 2;
    }
    SetZonewrightExe(copy);
    // Only the tests that run the compiler need it; they fail without it.
    const std::string compiler = e2e::FindStandInCompiler();
    const std::string compilerCopy = programs.Path("bglcomp.exe");
    if (!compiler.empty() && CopyFileA(compiler.c_str(), compilerCopy.c_str(), TRUE)) SetStandInCompiler(compilerCopy);
    return RUN_ALL_TESTS();
}
