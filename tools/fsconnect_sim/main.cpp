// The FSConnect simulator, fsconnect_sim.exe: a window of class FSCONNECT8 that answers the
// registered message WM_FSCONNECT as FSConnect would inside the flight simulator. What it
// answers is decided in replies.cpp; here it becomes a message result or a global atom.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "command_line.h"
#include "replies.h"

namespace {

const char* const kClassName = "FSCONNECT8";
const char* const kTitle = "FSConnect simulator";

// Exit codes besides 0: the window could not be made, the command line or the log was wrong,
// another FSCONNECT8 window exists (clients would find either).
constexpr int kExitNoWindow = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitAlreadyRunning = 3;

// The one simulator of this process, reached from the window procedure.
struct Simulator {
    SimOptions options;
    std::string arguments;
    UINT fscMessage = 0;
    HWND label = nullptr;
    int requests = 0;
};
Simulator sim;

// Opened for each line, so that a test reads every line as soon as the reply is out.
// Whether the log can be written was checked at the start; nothing could show a later failure.
void AppendLog(const std::string& line) {
    if (sim.options.logPath.empty()) return;
    if (std::FILE* file = std::fopen(sim.options.logPath.c_str(), "ab")) {
        std::fputs((line + "\r\n").c_str(), file);
        std::fclose(file);
    }
}

void ShowLabel() {
    char position[128];
    std::snprintf(position, sizeof position, "Answering as FSConnect at latitude %.10g, longitude %.10g.",
                  sim.options.latitude, sim.options.longitude);
    const std::string text =
        std::string(position) + "\r\nArguments:" + (sim.arguments.empty() ? " none" : sim.arguments) +
        "\r\nRequests received: " + std::to_string(sim.requests) + "\r\n\r\nClose this window to end it.";
    SetWindowTextA(sim.label, text.c_str());
}

// --hang: the request is never answered, but other messages still are, so WM_CLOSE ends the
// program and a client sees a window that waits rather than one that is dead.
void PumpUntilQuit() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    PostQuitMessage(0);  // The quit taken here is meant for the outer loop too.
}

LRESULT OnRequest(WPARAM wParam, LPARAM lParam) {
    ++sim.requests;
    ShowLabel();
    const Reply reply = Respond(sim.options, wParam, lParam);
    if (reply.delayMs > 0) Sleep(static_cast<DWORD>(reply.delayMs));
    if (reply.kind == Reply::Kind::Never) {
        AppendLog(LogLine(wParam, lParam, std::nullopt, ""));
        PumpUntilQuit();
        return 0;
    }
    LRESULT result = reply.value;
    if (reply.kind == Reply::Kind::Text) {
        // A global atom is 0xC000..0xFFFF; clients take the result as a signed 16-bit number,
        // so it goes out sign-extended. The client deletes the atom. No atom: no answer (0).
        const ATOM atom = GlobalAddAtomA(reply.text.c_str());
        result = atom ? static_cast<LRESULT>(static_cast<int16_t>(atom)) : 0;
    }
    AppendLog(LogLine(wParam, lParam, result, reply.text));
    return result;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == sim.fscMessage) return OnRequest(wParam, lParam);
    switch (message) {
        case WM_CREATE: {
            RECT client;
            GetClientRect(window, &client);
            sim.label = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, client.right - 20,
                                      client.bottom - 20, window, nullptr, nullptr, nullptr);
            SendMessageA(sim.label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            ShowLabel();
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ShowMessage(const std::string& text, UINT icon) {
    MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK | icon);
}

}  // namespace

// WinMain with the C library's split of the command line, which MinGW and Visual C++ both offer.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int argc = __argc;
    char** const argv = __argv;
    const ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        ShowMessage(parsed.error + "\n\n" + kUsage, MB_ICONERROR);
        return kExitBadArguments;
    }
    if (parsed.help) {
        ShowMessage(kUsage, MB_ICONINFORMATION);
        return 0;
    }
    sim.options = parsed.options;
    for (int i = 1; i < argc; ++i) sim.arguments += std::string(" ") + argv[i];

    if (!sim.options.logPath.empty()) {
        std::FILE* log = std::fopen(sim.options.logPath.c_str(), "ab");
        if (!log) {
            ShowMessage("Cannot open the log " + sim.options.logPath + ".", MB_ICONERROR);
            return kExitBadArguments;
        }
        std::fclose(log);
    }
    if (FindWindowA(kClassName, nullptr)) return kExitAlreadyRunning;

    sim.fscMessage = RegisterWindowMessageA("WM_FSCONNECT");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (sim.fscMessage == 0 || !RegisterClassA(&windowClass)) return kExitNoWindow;
    // In the bottom right corner and without the focus, out of the way of the program being tried.
    RECT workArea = {0, 0, 1024, 768};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const int width = 460, height = 130;
    const HWND window = CreateWindowA(kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                      workArea.right - width, workArea.bottom - height, width, height, nullptr, nullptr,
                                      instance, nullptr);
    if (!window) return kExitNoWindow;
    ShowWindow(window, SW_SHOWNOACTIVATE);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
