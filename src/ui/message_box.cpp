#include "ui/message_box.h"

#include <vector>

const char* const kApplicationTitle = "ZonewrightV2";

void ShowMessage(HWND owner, const std::string& text) {
    // Without an owner the box must still keep the user from the program's other windows.
    MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_OK | (owner ? 0 : MB_TASKMODAL));
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

std::string DescribeError(const std::error_code& error) {
    if (error.category() != std::system_category()) return error.message();
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(error.value()), 0, text, sizeof text, nullptr);
    if (length == 0) return "Error " + std::to_string(error.value()) + ".";
    return std::string(text, length);
}
