#include "win32_test_support.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (processId != search.processId || std::string(className) != search.className) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

std::string FindBuildFile(const char* variable, const std::string& relativePath) {
    char value[MAX_PATH];
    const DWORD set = GetEnvironmentVariableA(variable, value, sizeof value);
    if (set > 0 && set < sizeof value) return std::string(value, set);
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) return "";
    std::string folder(module, length);
    for (size_t slash = folder.find_last_of('\\'); slash != std::string::npos; slash = folder.find_last_of('\\')) {
        folder.erase(slash);
        const std::string candidate = folder + "\\" + relativePath;
        const DWORD attributes = GetFileAttributesA(candidate.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
    }
    return "";
}

std::string FindSimulatorExe() { return FindBuildFile("FSCONNECT_SIM_EXE", "tools\\fsconnect_sim.exe"); }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

bool StartProcess(const char* exe, std::string commandLine, const char* currentFolder, PROCESS_INFORMATION& process) {
    for (int attempt = 0;; ++attempt) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (CreateProcessA(exe, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, currentFolder, &startup,
                           &process)) {
            return true;
        }
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt > 0) return false;
        std::fprintf(stderr, "note: %s died before it started; starting it again\n", commandLine.c_str());
    }
}

HWND FindProcessWindow(DWORD processId, const char* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Simulator::Simulator(const std::string& arguments) {
    const std::string exe = FindSimulatorExe();
    if (exe.empty()) {
        error_ = "fsconnect_sim.exe not found above the test program; set FSCONNECT_SIM_EXE";
        return;
    }
    if (!StartProcess(nullptr, "\"" + exe + "\" " + arguments, nullptr, process_)) {
        error_ = "cannot start " + exe + ": error " + std::to_string(GetLastError());
    }
}

Simulator::~Simulator() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        if (HWND window = FindProcessWindow(process_.dwProcessId, "FSCONNECT8")) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, kEndMs) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Simulator::WaitForWindow(const char* className) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(process_.dwProcessId, className)) != nullptr; }, kStartMs);
    return window;
}

DWORD Simulator::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

DWORD Simulator::Close(HWND window) const {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit();
}

std::vector<std::string> LogLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string all = bytes.str();
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(all.substr(start, end - start));
    }
    return lines;
}

bool CopyToClipboard(HWND owner, const char* text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    if (!memory || !WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 2000)) return false;
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    const bool copied = EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    return copied;
}
