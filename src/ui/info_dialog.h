#pragma once

#include <windows.h>

#include "ui/dialog_window.h"
#include "win32/handles.h"

// The information window: fixed texts and an OK button.
class InfoDialog : public DialogWindow<InfoDialog> {
public:
    static HWND Open(HWND mainWindow, Dpi dpi);

    HWND Label1 = nullptr;  // the bold title; the other controls are known by their ids

private:
    friend class Window<InfoDialog>;
    friend class DialogWindow<InfoDialog>;
    InfoDialog(HWND mainWindow, Dpi dpi);
    bool OnCreate();
    void OnCommand(int id);
    void Place(Dpi dpi, HFONT font);

    UniqueFont boldFont_;
};
