#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "model/exclusion_document.h"
#include "generator/save_and_compile.h"
#include "ui/area_list.h"
#include "ui/area_preview.h"
#include "ui/document_files.h"
#include "ui/layout.h"
#include "win32/handles.h"
#include "ui/message_box.h"
#include "ui/window.h"

// The start-up window. It edits a document of exclusion areas: its boxes show the selected area,
// and every edit in them goes into the document at once; the area list and the preview show the
// whole document.
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

    // A file named on the command line, a project or an XML source: opened as File > Open opens
    // it. A file that cannot be read, or is too large for its kind, is told.
    void OpenProject(const std::string& path);

    const ExclusionDocument& document() const { return document_; }

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
    void EnableSingleTypes(bool enabled);
    void OnCheckStateChanged(HWND box);
    void OnCoordinateChanged(HWND box);
    // The document, after it changed as a whole, into the list, the boxes and the preview.
    void ShowDocument(ExclusionDocument document);
    void ShowOpened(std::optional<OpenedFile> opened);
    void ShowSelectedArea();
    // The selected area, another than the one shown before.
    void ShowAnotherArea();
    void SelectArea(size_t index);
    void AddArea();
    void RemoveArea();
    void Generate();
    void SaveAndCompile();
    void OnCompileEnded();
    void CapturePosition(HWND box, Coordinate coordinate);
    std::array<HWND, ObjectTypeCount> ObjectTypeBoxes() const;
    std::array<HWND, 4> CoordinateBoxes() const;
    void OpenDialogWindow(HWND (*open)(HWND mainWindow, Dpi dpi));

    MessageSink showMessage_;
    DpiOfWindow dpiOf_;
    ExclusionDocument document_;
    // Set while the program puts an area into the boxes, whose notifications then change nothing.
    bool showingArea_ = false;
    DocumentFiles files_{showMessage_};
    UniqueFont font_;
    AreaList areaList_;
    AreaPreview preview_;
    std::unique_ptr<Compile> compile_;  // the compile that runs; one at a time
    HWND savedFocus_ = nullptr;

public:
    // The controls the code reads or writes, named as in the window design; the buttons, frames
    // and other labels are known by their ids alone.
    HWND latitudemaximum = nullptr, longitudeminimum = nullptr, latitudeminimum = nullptr, longitudemaximum = nullptr;
    HWND Exec_All = nullptr, Exec_Beacon = nullptr, Exec_Effects = nullptr, Exec_GenBuild = nullptr;
    HWND Exec_Library = nullptr, Exec_TaxiSigns = nullptr, Exec_Triggers = nullptr, Exec_Windsocks = nullptr;
    HWND DelSRC = nullptr, txtoutput = nullptr, Label1 = nullptr, Label7 = nullptr, Image1 = nullptr;
    HWND lstAreas = nullptr, cmdRemoveArea = nullptr;
};
