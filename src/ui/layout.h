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
int TwipsToPixels(int twips, int dpi);

enum class ControlKind { Frame, Label, TextBox, SourceView, PushButton, DefaultPushButton, CheckBox, Picture };

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

HWND CreateControl(HWND parent, const ControlLayout& layout, POINT frameOrigin, Dpi dpi, HFONT font);

// Creates the controls in table order, which is also their tab order, each with the font.
// Labels, pictures and frames take no focus, so their place in the z-order is free: they go
// beneath the controls that do, frames lowest, so that nothing they draw covers a box or button.
template <class W, size_t N>
bool CreateControls(W& window, HWND parent, const ControlRow<W> (&table)[N], Dpi dpi, HFONT font) {
    HWND controls[N];
    for (size_t i = 0; i < N; ++i) {
        const ControlLayout& layout = table[i].layout;
        POINT origin = {0, 0};
        for (const ControlRow<W>& frame : table) {
            if (layout.inside != 0 && frame.layout.id == layout.inside) {
                origin = {TwipsToPixels(frame.layout.left, dpi.x), TwipsToPixels(frame.layout.top, dpi.y)};
            }
        }
        controls[i] = CreateControl(parent, layout, origin, dpi, font);
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

// The window rectangle whose client area is width x height twips, centred on the screen.
RECT CentredWindowRect(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, bool menu, Dpi dpi);

// MS Sans Serif 8.25 pt at the screen's DPI.
HFONT CreateDialogFont(Dpi dpi, int weight);

// Window procedures that drive tab navigation with IsDialogMessage keep the focus in these
// windows across activation: call from WM_ACTIVATE.
void KeepFocusOnActivate(HWND window, WPARAM activateParam, HWND& savedFocus);
