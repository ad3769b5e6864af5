#pragma once

// What the Windows tests share: bounded waits, the programs of the build, and the FSConnect
// simulator (tools\fsconnect_sim.exe) run from a test.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

constexpr DWORD kStartMs = 15000;  // a Wine process can be slow to start on a busy machine
constexpr DWORD kEndMs = 10000;

// Polls the condition every 20 ms until it holds or the time is up; says whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The environment variable when set, else the first file of that relative path found walking
// up from the test program's folder; "" when there is none.
std::string FindBuildFile(const char* variable, const std::string& relativePath);

// FSCONNECT_SIM_EXE, or tools\fsconnect_sim.exe in a folder above this test program.
std::string FindSimulatorExe();

// The lines of a log written with CR LF, such as the simulator's (--log); none for no file.
std::vector<std::string> LogLines(const std::string& path);

// Starts a program as CreateProcessA does (no handles inherited, no console flags), in this
// current folder (nullptr: the caller's). Under Wine a start fails with ERROR_INTERNAL_ERROR
// when the new process died before its start was done, before any of the program's code ran
// (its loader could not be forked or executed; seen about once in thousands of starts on a
// loaded machine): that start alone is made once more, and said on standard error. False with
// the last error set when the start failed.
bool StartProcess(const char* exe, std::string commandLine, const char* currentFolder, PROCESS_INFORMATION& process);

// Puts the text on the clipboard as CF_TEXT, the clipboard opened for the window.
bool CopyToClipboard(HWND owner, const char* text);

// The process's top-level window of that class, or nullptr.
HWND FindProcessWindow(DWORD processId, const char* className);

// One run of the simulator. Whatever a test leaves running is closed, or at last terminated.
class Simulator {
public:
    explicit Simulator(const std::string& arguments);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const std::string& error() const { return error_; }
    DWORD processId() const { return process_.dwProcessId; }

    // Its window of that class, once it shows within the time; nullptr when it does not.
    HWND WaitForWindow(const char* className = "FSCONNECT8") const;
    // The exit code once it has ended within the time; STILL_ACTIVE when it has not.
    DWORD WaitForExit(DWORD timeoutMs = kEndMs) const;
    DWORD Close(HWND window) const;

private:
    PROCESS_INFORMATION process_ = {};
    std::string error_;
};
