#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "model/exclusion_document.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "win32/loaded_library.h"

// The main window's File > Open and File > Save: the document read from a file the user names,
// and the document written to one. Their dialogs keep the last file name; what fails is told.
class DocumentFiles {
public:
    explicit DocumentFiles(const MessageSink& showMessage) : showMessage_(showMessage) {}

    // Asks for a project file and gives the document opening it leaves over `current`; nothing
    // when the user cancels or the file cannot be read. A file too large for a project is told;
    // one that cannot be read ends it quietly, as at any unreadable part of the file.
    std::optional<ExclusionDocument> Open(HWND owner, const ExclusionDocument& current);

    // A file named from outside, on the command line or dropped on the window: read as Open
    // reads it, and the next Open starts from it. A file that cannot be read is told.
    std::optional<ExclusionDocument> OpenNamed(HWND owner, const std::string& path, const ExclusionDocument& current);

    // The first file dropped on the window, read as OpenNamed reads it.
    std::optional<ExclusionDocument> OpenDropped(HWND owner, HDROP drop, const ExclusionDocument& current);

    // Asks for a file name and saves the document into it as a project.
    void Save(HWND owner, const ExclusionDocument& document);

    // Asks for the name to save the XML source under; nothing when the user cancels.
    std::optional<std::string> AskSourceName(HWND owner);

private:
    bool CanLoad(HWND owner, const std::string& path, bool tellUnreadable);
    std::optional<ExclusionDocument> Load(const std::string& path, const ExclusionDocument& current);
    // Shows the file dialog; one that could not be shown is told.
    bool Choose(HWND owner, FileDialog& dialog, bool save);

    const MessageSink& showMessage_;
    FileDialog cdbWordProc;                 // saving the XML source
    FileDialog OpenFile;                    // opening a project file
    FileDialog selectSaveFile2;             // saving a project file
    LoadedLibrary shell32_{"shell32.dll"};  // loaded at the first drop
};
