// The stand-in scenery compiler, bglcomp.exe: see stand_in.h. Only finding the program's own
// folder and starting the helpers that --leave-helper, --flooding-helper and --late-line leave
// behind are Win32 here.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "stand_in.h"

namespace {

const char* const kHelperSwitch = "--helper-until";
const char* const kLateHelperSwitch = "--helper-after";
const char* const kFloodingHelperSwitch = "--flood-until";
const int kFloodingThreads = 8;

// In the ANSI code page, by its short form where the ANSI code page cannot write the full one.
std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return "";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // Cut short: try again with more room.
    }
    for (int form = 0; form < 2; ++form) {
        char ansi[32768];
        BOOL lossy = FALSE;
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy) &&
            !lossy) {
            return ansi;
        }
        std::wstring shortPath(32768, L'\0');
        shortPath.resize(GetShortPathNameW(path.c_str(), &shortPath[0], static_cast<DWORD>(shortPath.size())));
        path = shortPath;
    }
    return "";
}

// The log lies beside the program, wherever it is started from; empty when the path is unknown.
std::string LogPath() {
    const std::string path = ProgramPath();
    return path.empty() ? "" : path.substr(0, path.find_last_of("\\/") + 1) + "bglcomp.log";
}

// What a console program prints goes out in the console's OEM code page, as bglcomp's does.
std::string InOemCodePage(std::string text) {
    if (!text.empty()) CharToOemBuffA(text.c_str(), &text[0], static_cast<DWORD>(text.size()));
    return text;
}

// A copy of this program, started with these switches, that inherits the output, as a
// compiler's helper program that outlives it would.
void LeaveHelper(const std::string& switches) {
    std::fflush(stdout);
    std::fflush(stderr);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    SetHandleInformation(output, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    SetHandleInformation(error, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    const std::string program = ProgramPath();
    std::string command = "\"" + program + "\" " + switches;
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

// The process that started this one: the shell that runs the compile; 0 when it cannot be told.
DWORD ParentProcess() {
    DWORD parent = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return parent;
}

// The helper of --late-line: once the shell has ended (at most two minutes), and a moment more
// for whoever watches the shell to see it end, it prints its line.
void PrintAfter(DWORD shell, const char* line) {
    if (const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, shell)) {
        WaitForSingleObject(process, 120000);
        CloseHandle(process);
    }
    Sleep(100);
    std::printf("%s\n", InOemCodePage(line).c_str());
}

// The helper of --flooding-helper: prints from several threads at once, so that the output
// always has more waiting, until the file exists or the output is closed; then waits for the file.
void Flood(const char* file) {
    static const char* release;
    release = file;
    const auto print = [](void*) -> DWORD {
        const std::string lines(64 * 1024, 'x');
        DWORD written = 0;
        while (GetFileAttributesA(release) == INVALID_FILE_ATTRIBUTES &&
               WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), lines.data(), static_cast<DWORD>(lines.size()), &written,
                         nullptr)) {
        }
        return 0;
    };
    std::vector<HANDLE> threads;
    for (int i = 0; i < kFloodingThreads; ++i) {
        if (const HANDLE thread = CreateThread(nullptr, 0, print, nullptr, 0, nullptr)) threads.push_back(thread);
    }
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, 120000);
    for (HANDLE thread : threads) CloseHandle(thread);
    WaitForFile(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == kHelperSwitch) {
        WaitForFile(argv[2]);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == kFloodingHelperSwitch) {
        Flood(argv[2]);
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == kLateHelperSwitch) {
        PrintAfter(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)), argv[3]);
        return 0;
    }
    const StandInRun run = RunStandIn(std::vector<std::string>(argv + 1, argv + argc), LogPath());
    std::fputs(InOemCodePage(run.out).c_str(), stdout);
    std::fputs(InOemCodePage(run.err).c_str(), stderr);
    if (!run.endAfter.empty()) {
        std::fflush(stdout);
        std::fflush(stderr);
        WaitForFile(run.endAfter);
    }
    if (!run.helperWaitsFor.empty()) {
        LeaveHelper(std::string(run.helperFloods ? kFloodingHelperSwitch : kHelperSwitch) + " \"" +
                    run.helperWaitsFor + "\"");
    }
    if (!run.lateLine.empty()) {
        LeaveHelper(std::string(kLateHelperSwitch) + " " + std::to_string(ParentProcess()) + " \"" + run.lateLine +
                    "\"");
    }
    return run.exitCode;
}
