#pragma once

#include <windows.h>

#include "ui/dialog_window.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"

// The settings window: edits the location of the scenery compiler.
class OptionsWindow : public DialogWindow<OptionsWindow> {
public:
    static HWND Open(HWND mainWindow);
    // For tests: the same window with its failure messages going elsewhere.
    static HWND Open(HWND mainWindow, MessageSink showMessage);

    HWND Frame1 = nullptr, Label1 = nullptr, Text1 = nullptr, Command1 = nullptr, Command2 = nullptr;
    HWND Command3 = nullptr;

private:
    friend class Window<OptionsWindow>;
    OptionsWindow(HWND mainWindow, MessageSink showMessage);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Load();
    void Browse();
    void Ok();
    void PressFocusedButton();

    MessageSink showMessage_;
    FileDialog cdbWordProc;
};
