#pragma once

#include <windows.h>

#include "ui/dialog_window.h"
#include "win32/handles.h"

// The information window: fixed texts and an OK button.
class InfoDialog : public DialogWindow<InfoDialog> {
public:
    static HWND Open(HWND mainWindow);

    HWND OKButton = nullptr, Label1 = nullptr, Label2 = nullptr, Label3 = nullptr, Label4 = nullptr;
    HWND Label5 = nullptr, Label6 = nullptr;

private:
    friend class Window<InfoDialog>;
    explicit InfoDialog(HWND mainWindow);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UniqueFont boldFont_;
};
