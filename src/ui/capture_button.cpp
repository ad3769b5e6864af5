#include "ui/capture_button.h"

#include "fslink/fsconnect_win32.h"
#include "fslink/position_capture.h"

std::optional<std::string> CapturedPosition(HWND owner, Coordinate coordinate, const MessageSink& showMessage) {
    // While FSConnect is asked the window takes no input: once an answer is slow in coming, the
    // wait cursor says so (a quick one would only make it flicker).
    HCURSOR previous = nullptr;
    bool waiting = false;
    Win32FscPlatform platform([&] {
        previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        waiting = true;
    });
    FscClient client(platform, [&](const std::string& fault) {
        if (waiting) SetCursor(previous);
        waiting = false;
        showMessage(owner, fault, MB_ICONSTOP);
    });
    const Result<std::string> degrees = CapturePosition(client, coordinate);
    if (waiting) SetCursor(previous);
    if (!degrees.error) return degrees.value;
    showMessage(owner, kCaptureFailedMessage, 0);
    return std::nullopt;
}
