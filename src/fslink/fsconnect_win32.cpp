#include "fslink/fsconnect_win32.h"

#include <windows.h>

#include <vector>

uint32_t Win32FscPlatform::RegisterMessage(const std::string& name) { return RegisterWindowMessageA(name.c_str()); }

uintptr_t Win32FscPlatform::FindTopWindow(const std::string& className) {
    return reinterpret_cast<uintptr_t>(FindWindowA(className.c_str(), nullptr));
}

bool Win32FscPlatform::Send(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                            intptr_t& result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                             5000, &answer)) {
        return false;
    }
    result = static_cast<intptr_t>(answer);
    return true;
}

std::string Win32FscPlatform::AtomName(uint16_t atom, int bufferSize) {
    std::vector<char> name(static_cast<size_t>(bufferSize), '\0');
    const UINT copied = GlobalGetAtomNameA(atom, name.data(), bufferSize);
    return std::string(name.data(), copied);
}

void Win32FscPlatform::DeleteAtom(uint16_t atom) { GlobalDeleteAtom(atom); }
