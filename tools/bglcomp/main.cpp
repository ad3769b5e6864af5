// The stand-in scenery compiler, bglcomp.exe: see stand_in.h. Only finding the program's own
// folder and starting the helper that --leave-helper leaves behind are Win32 here.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "stand_in.h"

namespace {

const char* const kHelperSwitch = "--helper-until";

std::string ProgramPath() {
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
    return path;
}

// The log lies beside the program, wherever it is started from; empty when the path is unknown.
std::string LogPath() {
    const std::string path = ProgramPath();
    return path.empty() ? "" : path.substr(0, path.find_last_of("\\/") + 1) + "bglcomp.log";
}

// A copy of this program that inherits the output and holds it until the file exists, as a
// compiler's helper program that outlives it would.
void LeaveHelper(const std::string& until) {
    std::fflush(stdout);
    std::fflush(stderr);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    SetHandleInformation(output, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    SetHandleInformation(error, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    const std::string program = ProgramPath();
    std::string command = "\"" + program + "\" " + kHelperSwitch + " \"" + until + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION helper = {};
    if (CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &helper)) {
        CloseHandle(helper.hThread);
        CloseHandle(helper.hProcess);
    } else {
        std::fprintf(stderr, "warning: cannot start the helper: error %lu\n", GetLastError());
    }
}

// What a console program prints goes out in the console's OEM code page, as bglcomp's does.
std::string InOemCodePage(std::string text) {
    if (!text.empty()) CharToOemBuffA(text.c_str(), &text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == kHelperSwitch) {
        WaitForFile(argv[2]);
        return 0;
    }
    const StandInRun run = RunStandIn(std::vector<std::string>(argv + 1, argv + argc), LogPath());
    std::fputs(InOemCodePage(run.out).c_str(), stdout);
    std::fputs(InOemCodePage(run.err).c_str(), stderr);
    if (!run.helperWaitsFor.empty()) LeaveHelper(run.helperWaitsFor);
    return run.exitCode;
}
