#include "ui/message_box.h"

#include <vector>

const char* const kApplicationTitle = "ZonewrightV2";

int ShowMessage(HWND owner, const std::string& text, UINT style) {
    // Without an owner the box must still keep the user from the program's other windows.
    return MessageBoxA(owner, text.c_str(), kApplicationTitle, style | (owner ? 0 : MB_TASKMODAL));
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}
