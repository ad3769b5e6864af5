// A stand-in web browser for the tests: registered as the open command of a URL protocol, it
// appends the command line it was started with, and a CR LF, to the file that the environment
// variable ZONEWRIGHT_BROWSER_LOG names (inherited from the test that starts it through the
// shell), and ends. It shows no window.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char log[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("ZONEWRIGHT_BROWSER_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log) return 2;
    const HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char* const commandLine = GetCommandLineA();
    DWORD written = 0;
    const bool ok = WriteFile(file, commandLine, static_cast<DWORD>(std::strlen(commandLine)), &written, nullptr) &&
                    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
