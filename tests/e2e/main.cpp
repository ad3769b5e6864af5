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
    SetZonewrightExe(exe);
    return RUN_ALL_TESTS();
}
