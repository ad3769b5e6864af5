#include "win32/web_browser.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "win32/loaded_library.h"

namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeFunction = void(WINAPI*)();

LoadedLibrary shell32("shell32.dll");
LoadedLibrary ole32("ole32.dll");

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// ShellExecute's results up to 32 are failures: the system's error codes where they share its
// numbers (2, 3, 5, 8, 11), else small codes of its own.
DWORD SystemErrorOf(INT_PTR result) {
    switch (result) {
        case 0: return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
        default: return static_cast<DWORD>(result);
    }
}

// The shell may hand the URL to a browser through a COM extension of its own, so the thread has
// COM while it runs, as the shell asks of its callers.
class ComForShell {
public:
    ComForShell() {
        const auto initialize = ole32.Get<CoInitializeExFunction>("CoInitializeEx");
        initialized_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    ~ComForShell() {
        if (!initialized_) return;
        if (const auto uninitialize = ole32.Get<CoUninitializeFunction>("CoUninitialize")) uninitialize();
    }
    ComForShell(const ComForShell&) = delete;
    ComForShell& operator=(const ComForShell&) = delete;

private:
    bool initialized_ = false;
};

}  // namespace

size_t BrowserUrlLimit() {
    return RunsUnderWine() ? 900 : 32000;
}

std::error_code OpenInBrowser(const std::string& url) {
    if (url.size() >= BrowserUrlLimit()) return std::error_code(ERROR_FILENAME_EXCED_RANGE, std::system_category());
    const auto execute = shell32.Get<ShellExecuteFunction>("ShellExecuteA");
    if (!execute) return shell32.error();
    const ComForShell com;
    const auto result =
        reinterpret_cast<INT_PTR>(execute(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return {};
    return std::error_code(static_cast<int>(SystemErrorOf(result)), std::system_category());
}
