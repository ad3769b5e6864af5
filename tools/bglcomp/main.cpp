// The stand-in scenery compiler, bglcomp.exe: see stand_in.h. Only finding the program's own
// folder is Win32 here.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "stand_in.h"

namespace {

// The log lies beside the program, wherever it is started from; empty when the path is unknown.
std::string LogPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return "";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // Cut short: try again with more room.
    }
    return path.substr(0, path.find_last_of("\\/") + 1) + "bglcomp.log";
}

// What a console program prints goes out in the console's OEM code page, as bglcomp's does.
std::string InOemCodePage(std::string text) {
    if (!text.empty()) CharToOemBuffA(text.c_str(), &text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const StandInRun run = RunStandIn(std::vector<std::string>(argv + 1, argv + argc), LogPath());
    std::fputs(InOemCodePage(run.out).c_str(), stdout);
    std::fputs(InOemCodePage(run.err).c_str(), stderr);
    return run.exitCode;
}
