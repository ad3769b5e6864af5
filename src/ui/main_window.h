#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <memory>
#include <string>

#include "model/exclusion_area.h"
#include "generator/save_and_compile.h"
#include "ui/area_preview.h"
#include "ui/file_dialog.h"
#include "ui/layout.h"
#include "win32/handles.h"
#include "ui/message_box.h"
#include "ui/window.h"
#include "win32/loaded_library.h"

// The start-up window and the only store of working data: the exclusion area lives in
// its controls.
class MainWindow : public Window<MainWindow> {
public:
    // `dpiOf` tells the DPI of the monitor the window is on; tests name another.
    explicit MainWindow(MessageSink showMessage = ShowMessage, DpiOfWindow dpiOf = WindowDpi);

    // Creates the window hidden, lays it out for the DPI of its monitor, runs the start-up check
    // of the compiler setting, then shows the window centred on the screen.
    bool Load(HINSTANCE instance);

    void reset20();
    void AddToOutput(const std::string& aMsg);
    void openSaveFile();
    void selectSaveFile();

    // A project named from outside, on the command line or dropped on the window: loaded as
    // File > Open loads it. A file that cannot be read, or is too large for a project, is told.
    void OpenProject(const std::string& path);

private:
    friend class Window<MainWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateContent(Dpi dpi);
    void ShowCornerPicture(Dpi dpi);
    void OnDpiChanged(Dpi dpi, const RECT& suggested);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnColorStatic(HDC dc, HWND control);

    void CheckCompilerSetting();
    void ApplyAllObjectsRule();
    void Generate();
    void SaveAndCompile();
    void OnCompileEnded();
    void OnDropFiles(HDROP drop);
    bool CanLoadProject(const std::string& path, bool tellUnreadable);
    void LoadProjectFile(const std::string& path);
    void CapturePosition(HWND box, bool latitude);
    ExclusionArea ReadExclusionArea() const;
    std::array<HWND, ObjectTypeCount> ObjectTypeBoxes() const;
    std::array<HWND, 4> CoordinateBoxes() const;
    void OpenDialogWindow(HWND (*open)(HWND mainWindow, Dpi dpi));
    // Shows the file dialog; one that could not be shown is told.
    bool Choose(FileDialog& dialog, bool save);

    MessageSink showMessage_;
    DpiOfWindow dpiOf_;
    FileDialog cdbWordProc;      // saving the XML source; keeps its file name between saves
    FileDialog OpenFile;         // opening a project file
    FileDialog selectSaveFile2;  // saving a project file
    UniqueFont font_;
    AreaPreview preview_;
    std::unique_ptr<Compile> compile_;  // the compile that runs; one at a time
    LoadedLibrary shell32_{"shell32.dll"};  // loaded at the first drop
    HWND savedFocus_ = nullptr;

public:
    // The controls the code reads or writes, named as in the window design; the buttons, frames
    // and other labels are known by their ids alone.
    HWND latitudemaximum = nullptr, longitudeminimum = nullptr, latitudeminimum = nullptr, longitudemaximum = nullptr;
    HWND Exec_All = nullptr, Exec_Beacon = nullptr, Exec_Effects = nullptr, Exec_GenBuild = nullptr;
    HWND Exec_Library = nullptr, Exec_TaxiSigns = nullptr, Exec_Triggers = nullptr, Exec_Windsocks = nullptr;
    HWND DelSRC = nullptr, txtoutput = nullptr, Label1 = nullptr, Label7 = nullptr, Image1 = nullptr;
};
