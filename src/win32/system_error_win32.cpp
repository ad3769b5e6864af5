#include "win32/system_error_win32.h"

#include <windows.h>

#include <vector>

std::error_code LastError() {
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

std::string SystemMessage(unsigned long code, size_t bufferSize) {
    std::vector<char> text(bufferSize, '\0');
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text.data(),
                   static_cast<DWORD>(bufferSize), nullptr);
    return text.data();
}
