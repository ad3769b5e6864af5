#pragma once

#include <windows.h>

#include <memory>

#include "win32/handles.h"
#include "ui/layout.h"
#include "ui/resource.h"
#include "ui/window.h"

// A window that the main window opens from its menu, after disabling itself. It is created
// afresh at every opening, owned by the main window (so it stays above it), and enables the
// main window again however it closes. The object deletes itself when its window is gone.
// Derived makes its controls in OnCreate (false: the window is not made), handles their
// commands in OnCommand, and lays them out again at another DPI in Place.
template <class Derived>
class DialogWindow : public Window<Derived> {
protected:
    struct Design {
        const char* className;
        const char* caption;
        DWORD style;
        DWORD exStyle;
        int widthTwips, heightTwips;  // client area
    };

    // Laid out for this DPI: that of the monitor the main window is on.
    DialogWindow(HWND mainWindow, Dpi dpi)
        : mainWindow_(mainWindow), dpi_(dpi), font_(CreateDialogFont(dpi, FW_NORMAL)) {}

    // Creates the window, sizes it for its DPI, centred on the work area of the main window's
    // monitor, as Windows' own dialogs are, and shows it; nullptr when it could not be made. It is
    // made on that monitor, so that its frame is of that monitor's DPI from the first.
    static HWND Show(std::unique_ptr<Derived> dialog, const Design& design) {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog->mainWindow_, GWLP_HINSTANCE));
        if (!Window<Derived>::Register(instance, design.className, COLOR_BTNFACE, IDI_ZONEWRIGHT)) return nullptr;
        const Dpi dpi = dialog->dpi_;
        const RECT area = WorkAreaOf(dialog->mainWindow_);
        HWND window =
            CreateWindowExA(design.exStyle, design.className, design.caption, design.style, area.left, area.top,
                            TwipsToPixels(design.widthTwips, dpi.x), TwipsToPixels(design.heightTwips, dpi.y),
                            dialog->mainWindow_, nullptr, instance, dialog.get());
        if (!window) return nullptr;
        dialog.release()->deleteWithWindow_ = true;
        SizeAndCentreOn(window, design.widthTwips, design.heightTwips, dpi, area);
        ShowWindow(window, SW_SHOW);
        return window;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        Derived& self = static_cast<Derived&>(*this);
        switch (message) {
            case WM_CREATE: return self.OnCreate() ? 0 : -1;
            case WM_COMMAND: self.OnCommand(LOWORD(wParam)); return 0;
            case WM_ACTIVATE: KeepFocusOnActivate(this->hwnd_, wParam, savedFocus_); return 0;
            case WM_DPICHANGED: {
                // Laid out again from the twips, with a font of the new size, where Windows suggests.
                dpi_ = DpiOfMessage(wParam);
                UniqueFont font(CreateDialogFont(dpi_, FW_NORMAL));
                self.Place(dpi_, font.get());
                font_ = std::move(font);
                MoveTo(this->hwnd_, *reinterpret_cast<const RECT*>(lParam));
                return 0;
            }
            case WM_CLOSE: Close(); return 0;
            default: return DefWindowProcA(this->hwnd_, message, wParam, lParam);
        }
    }

    void Close() {
        // Enabled first, so that Windows hands the activation back to the main window.
        EnableWindow(mainWindow_, TRUE);
        DestroyWindow(this->hwnd_);
    }

    void OnFinalMessage() {
        if (deleteWithWindow_) delete static_cast<Derived*>(this);
    }

    HWND mainWindow_;
    Dpi dpi_;
    UniqueFont font_;

private:
    HWND savedFocus_ = nullptr;
    bool deleteWithWindow_ = false;  // set once the window exists; until then Show's caller owns the object
};
