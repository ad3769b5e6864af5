#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The layout as the user sees it, at whatever DPI: every control inside the client area, the
// controls of each frame inside the frame, and no two controls that take the focus overlapping.
// `frames` names each frame and the controls it holds.
inline ::testing::AssertionResult LayoutHolds(HWND window,
                                              const std::vector<std::pair<int, std::vector<int>>>& frames) {
    RECT client;
    GetClientRect(window, &client);
    std::vector<HWND> focusable;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!Inside(ClientRectOf(child), client)) {
            return ::testing::AssertionFailure() << "control " << GetDlgCtrlID(child) << " reaches out of the window";
        }
        if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) focusable.push_back(child);
    }
    for (const auto& [frame, held] : frames) {
        for (int id : held) {
            if (!Inside(ClientRectOf(GetDlgItem(window, id)), ClientRectOf(GetDlgItem(window, frame)))) {
                return ::testing::AssertionFailure() << "control " << id << " reaches out of frame " << frame;
            }
        }
    }
    for (size_t i = 0; i < focusable.size(); ++i) {
        for (size_t j = i + 1; j < focusable.size(); ++j) {
            if (Overlap(ClientRectOf(focusable[i]), ClientRectOf(focusable[j]))) {
                return ::testing::AssertionFailure() << "controls " << GetDlgCtrlID(focusable[i]) << " and "
                                                     << GetDlgCtrlID(focusable[j]) << " overlap";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Stands in for the message box: records what would have been shown, and answers a question
// with `answer`.
struct MessageRecorder {
    std::vector<std::string> messages;
    std::vector<UINT> icons;
    int answer = IDYES;
    MessageSink Sink() {
        return [this](HWND, const std::string& text, UINT style) {
            messages.push_back(text);
            icons.push_back(style);
            return style & MB_YESNO ? answer : IDOK;
        };
    }
};

inline LOGFONTA FontOf(HWND control) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}
