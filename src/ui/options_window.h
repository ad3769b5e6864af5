#pragma once

#include <windows.h>

#include "ui/dialog_window.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"

// The settings window: edits the location of the scenery compiler.
class OptionsWindow : public DialogWindow<OptionsWindow> {
public:
    static HWND Open(HWND mainWindow, Dpi dpi);
    // For tests: the same window with its failure messages going elsewhere.
    static HWND Open(HWND mainWindow, Dpi dpi, MessageSink showMessage);

    HWND Text1 = nullptr;  // the compiler location; the other controls are known by their ids

private:
    friend class Window<OptionsWindow>;
    friend class DialogWindow<OptionsWindow>;
    OptionsWindow(HWND mainWindow, Dpi dpi, MessageSink showMessage);
    bool OnCreate();
    void OnCommand(int id);
    void Place(Dpi dpi, HFONT font);
    void Load();
    void Browse();
    void Ok();
    void PressFocusedButton();

    MessageSink showMessage_;
    FileDialog cdbWordProc;
};
