#pragma once

#include <windows.h>

#include <cstddef>
#include <initializer_list>

// Window layouts are designed in twips (1/1440 inch) and placed in pixels at the screen's DPI.

struct Dpi {
    int x = 96;
    int y = 96;
};

Dpi ScreenDpi();
// The DPI of the monitor the window is on (Windows 10 and later), else the screen's.
Dpi WindowDpi(HWND window);
// Where a window learns the DPI it is laid out for; WindowDpi, but for tests.
using DpiOfWindow = Dpi (*)(HWND window);
// The DPI that WM_DPICHANGED names in its wParam.
inline Dpi DpiOfMessage(WPARAM wParam) {
    return {LOWORD(wParam), HIWORD(wParam)};
}
int TwipsToPixels(int twips, int dpi);

enum class ControlKind { Frame, Label, TextBox, SourceView, PushButton, DefaultPushButton, CheckBox, Picture, List };

// One row of a window's layout table. `inside` is the id of the frame that holds the control
// (its position is then relative to the frame's top-left corner), or 0 for the client area.
struct ControlLayout {
    int id;
    ControlKind kind;
    const char* caption;
    int inside;
    int left, top, width, height;  // twips
};

// A layout row together with the window member that receives the control's handle, or nullptr
// for a control the code never touches again (it keeps its id).
template <class W>
struct ControlRow {
    HWND W::*member;
    ControlLayout layout;
};

// Where a row's control stands in its parent, in pixels at that DPI.
RECT ControlRect(const ControlLayout& layout, POINT frameOrigin, Dpi dpi);

HWND CreateControl(HWND parent, const ControlLayout& layout, POINT frameOrigin, Dpi dpi, HFONT font);

// The corner of the frame that holds a row's control, in pixels; the client area's for none.
template <class W, size_t N>
POINT FrameOrigin(const ControlRow<W> (&table)[N], const ControlLayout& layout, Dpi dpi) {
    for (const ControlRow<W>& frame : table) {
        if (layout.inside != 0 && frame.layout.id == layout.inside) {
            return {TwipsToPixels(frame.layout.left, dpi.x), TwipsToPixels(frame.layout.top, dpi.y)};
        }
    }
    return {0, 0};
}

// Creates the controls in table order, which is also their tab order, each with the font.
// Labels, pictures and frames take no focus, so their place in the z-order is free: they go
// beneath the controls that do, frames lowest, so that nothing they draw covers a box or button.
template <class W, size_t N>
bool CreateControls(W& window, HWND parent, const ControlRow<W> (&table)[N], Dpi dpi, HFONT font) {
    HWND controls[N];
    for (size_t i = 0; i < N; ++i) {
        const ControlLayout& layout = table[i].layout;
        controls[i] = CreateControl(parent, layout, FrameOrigin(table, layout, dpi), dpi, font);
        if (!controls[i]) return false;
        if (table[i].member) window.*table[i].member = controls[i];
    }
    for (ControlKind lowered : {ControlKind::Label, ControlKind::Picture, ControlKind::Frame}) {
        for (size_t i = 0; i < N; ++i) {
            if (table[i].layout.kind != lowered) continue;
            SetWindowPos(controls[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    return true;
}

// Lays the controls out again at another DPI, each where its row puts it, with the font of that
// DPI; the parent repaints once, afterwards.
template <class W, size_t N>
void PlaceControls(HWND parent, const ControlRow<W> (&table)[N], Dpi dpi, HFONT font) {
    SendMessageA(parent, WM_SETREDRAW, FALSE, 0);
    for (const ControlRow<W>& row : table) {
        HWND control = GetDlgItem(parent, row.layout.id);
        const RECT rect = ControlRect(row.layout, FrameOrigin(table, row.layout, dpi), dpi);
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SendMessageA(parent, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(parent, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Moves and sizes a top-level window to the rectangle, as WM_DPICHANGED suggests one.
void MoveTo(HWND window, const RECT& rect);

// Sizes the window so that its client area is width x height twips at this DPI, whatever its
// frame, caption and menu take at the DPI of its monitor, and centres it on the screen.
void SizeAndCentre(HWND window, int widthTwips, int heightTwips, Dpi dpi);
// The same, centred on this part of the screen.
void SizeAndCentreOn(HWND window, int widthTwips, int heightTwips, Dpi dpi, const RECT& area);

// The work area (the screen less the task bar) of the monitor the window is on, or nearest to.
RECT WorkAreaOf(HWND window);

// MS Sans Serif 8.25 pt at the screen's DPI.
HFONT CreateDialogFont(Dpi dpi, int weight);

// Window procedures that drive tab navigation with IsDialogMessage keep the focus in these
// windows across activation: call from WM_ACTIVATE.
void KeepFocusOnActivate(HWND window, WPARAM activateParam, HWND& savedFocus);
