#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/layout.h"
#include "ui/message_box.h"

// The rectangle of a control in its parent's client coordinates.
inline RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Twips of one layout row converted at the screen's DPI, the frame's corner added.
inline RECT ExpectedRect(int frameLeft, int frameTop, int left, int top, int width, int height) {
    const Dpi dpi = ScreenDpi();
    const int x = TwipsToPixels(frameLeft, dpi.x) + TwipsToPixels(left, dpi.x);
    const int y = TwipsToPixels(frameTop, dpi.y) + TwipsToPixels(top, dpi.y);
    return {x, y, x + TwipsToPixels(width, dpi.x), y + TwipsToPixels(height, dpi.y)};
}

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Stands in for the message box: records what would have been shown.
struct MessageRecorder {
    std::vector<std::string> messages;
    std::vector<UINT> icons;
    MessageSink Sink() {
        return [this](HWND, const std::string& text, UINT icon) {
            messages.push_back(text);
            icons.push_back(icon);
        };
    }
};

inline LOGFONTA FontOf(HWND control) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}
