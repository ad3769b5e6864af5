#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "model/exclusion_document.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "win32/loaded_library.h"

// What opening a file gives the window: the document, whether the source view is to be emptied
// (an XML source opened: no earlier document may then be compiled by mistake), and a message to
// show once the document is in the window, "" for none.
struct OpenedFile {
    ExclusionDocument document;
    bool emptiesSourceView = false;
    std::string note;
};

// The main window's File > Open and File > Save: the document read from a file the user names,
// and the document written to one. A file opens as a project or as an XML source by what it
// holds, whatever it is called. The dialogs keep the last file name; what fails is told.
class DocumentFiles {
public:
    explicit DocumentFiles(const MessageSink& showMessage) : showMessage_(showMessage) {}

    // Asks for a file and gives the document opening it leaves over `current`; nothing when the
    // user cancels or the file cannot be read. A project too large is told, and one that cannot be
    // read ends it quietly, as at any unreadable part of the file; an XML source that cannot be
    // read is told.
    std::optional<OpenedFile> Open(HWND owner, const ExclusionDocument& current);

    // A file named from outside, on the command line or dropped on the window: read as Open
    // reads it, and the next Open starts from it. A file that cannot be read is told.
    std::optional<OpenedFile> OpenNamed(HWND owner, const std::string& path, const ExclusionDocument& current);

    // The first file dropped on the window, read as OpenNamed reads it.
    std::optional<OpenedFile> OpenDropped(HWND owner, HDROP drop, const ExclusionDocument& current);

    // Asks for a file name and saves the document into it as a project.
    void Save(HWND owner, const ExclusionDocument& document);

    // Asks for the name to save the XML source under; nothing when the user cancels.
    std::optional<std::string> AskSourceName(HWND owner);

private:
    std::optional<OpenedFile> Read(HWND owner, const std::string& path, bool tellUnreadable,
                                   const ExclusionDocument& current);
    bool CanLoad(HWND owner, const std::string& path, bool tellUnreadable);
    // Shows the file dialog; one that could not be shown is told.
    bool Choose(HWND owner, FileDialog& dialog, bool save);

    const MessageSink& showMessage_;
    FileDialog cdbWordProc;                 // saving the XML source
    FileDialog OpenFile;                    // opening a project file
    FileDialog selectSaveFile2;             // saving a project file
    LoadedLibrary shell32_{"shell32.dll"};  // loaded at the first drop
};
