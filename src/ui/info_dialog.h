#pragma once

#include <windows.h>

#include "ui/handles.h"
#include "ui/window.h"

// The information window: fixed texts and an OK button. Each opening creates it afresh;
// closing it, by any means, enables the main window again.
class InfoDialog : public Window<InfoDialog> {
public:
    // Shows a new information window; the object deletes itself when the window is gone.
    static HWND Open(HWND mainWindow);

    HWND OKButton = nullptr, Label1 = nullptr, Label2 = nullptr, Label3 = nullptr, Label4 = nullptr;
    HWND Label5 = nullptr, Label6 = nullptr;

private:
    friend class Window<InfoDialog>;
    explicit InfoDialog(HWND mainWindow) : mainWindow_(mainWindow) {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnFinalMessage() {
        if (deleteWithWindow_) delete this;
    }
    void Close();

    HWND mainWindow_;
    HWND savedFocus_ = nullptr;
    bool deleteWithWindow_ = false;  // set once the window exists; until then Open owns the object
    UniqueFont font_;
    UniqueFont boldFont_;
};
