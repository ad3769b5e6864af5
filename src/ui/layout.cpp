#include "ui/layout.h"

Dpi ScreenDpi() {
    Dpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

Dpi WindowDpi(HWND window) {
    // Looked up, not imported: Windows before 10 has no GetDpiForWindow.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const int dpi = static_cast<int>(getDpiForWindow(window))) return {dpi, dpi};
    }
    return ScreenDpi();
}

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

RECT ControlRect(const ControlLayout& layout, POINT frameOrigin, Dpi dpi) {
    const int left = frameOrigin.x + TwipsToPixels(layout.left, dpi.x);
    const int top = frameOrigin.y + TwipsToPixels(layout.top, dpi.y);
    return {left, top, left + TwipsToPixels(layout.width, dpi.x), top + TwipsToPixels(layout.height, dpi.y)};
}

HWND CreateControl(HWND parent, const ControlLayout& layout, POINT frameOrigin, Dpi dpi, HFONT font) {
    const char* className = "BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (layout.kind) {
    case ControlKind::Frame: style |= BS_GROUPBOX; break;
    case ControlKind::Label:
        className = "STATIC";
        style |= SS_LEFT | SS_NOPREFIX;
        break;
    case ControlKind::TextBox:
        className = "EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::SourceView:
        // No horizontal scrolling: long lines wrap.
        className = "EDIT";
        style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::PushButton: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case ControlKind::DefaultPushButton: style |= WS_TABSTOP | BS_DEFPUSHBUTTON; break;
    case ControlKind::CheckBox: style |= WS_TABSTOP | BS_3STATE; break;
    case ControlKind::Picture:
        // It tells its clicks: one inside an area selects it.
        className = "STATIC";
        style |= SS_BITMAP | SS_NOTIFY;
        break;
    case ControlKind::List:
        // Exactly as high as laid out, not cut to whole lines, its scroll bar always there; the
        // columns of a line at its tabs.
        className = "LISTBOX";
        style |= WS_TABSTOP | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    const RECT rect = ControlRect(layout, frameOrigin, dpi);
    HWND control =
        CreateWindowExA(exStyle, className, layout.caption, style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!control) return nullptr;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void MoveTo(HWND window, const RECT& rect) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizeAndCentre(HWND window, int widthTwips, int heightTwips, Dpi dpi) {
    SizeAndCentreOn(window, widthTwips, heightTwips, dpi,
                    {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void SizeAndCentreOn(HWND window, int widthTwips, int heightTwips, Dpi dpi, const RECT& area) {
    const int width = TwipsToPixels(widthTwips, dpi.x);
    const int height = TwipsToPixels(heightTwips, dpi.y);
    // Measured off the window, not computed from the system's metrics, which are those of the
    // system DPI; twice, since a menu bar may wrap differently at the new width.
    for (int pass = 0; pass < 2; ++pass) {
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        const int outerWidth = width + (outer.right - outer.left) - client.right;
        const int outerHeight = height + (outer.bottom - outer.top) - client.bottom;
        SetWindowPos(window, nullptr, (area.left + area.right - outerWidth) / 2,
                     (area.top + area.bottom - outerHeight) / 2, outerWidth, outerHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    RECT primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    return primary;
}

HFONT CreateDialogFont(Dpi dpi, int weight) {
    return CreateFontA(-MulDiv(825, dpi.y, 7200), 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       "MS Sans Serif");
}

void KeepFocusOnActivate(HWND window, WPARAM activateParam, HWND& savedFocus) {
    if (LOWORD(activateParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) savedFocus = focus;
        return;
    }
    if (savedFocus && IsWindow(savedFocus) && IsWindowEnabled(savedFocus)) {
        SetFocus(savedFocus);
    } else {
        SetFocus(GetNextDlgTabItem(window, nullptr, FALSE));
    }
}
