#include "ui/document_files.h"

#include <vector>

#include "generator/kml_document.h"
#include "generator/xml_input.h"
#include "generator/xml_source_win32.h"
#include "storage/file_system.h"
#include "storage/project_file.h"
#include "storage/text_file.h"
#include "win32/wide_text.h"

namespace {

const char* const kSaveFilter = "Zonewright Save Files (*.exc)|*.exc|Google Earth KML (*.kml)|*.kml|";
const DWORD kKmlType = 2;

// A project edited in a text editor may have been saved as Unicode, with its byte-order mark; the
// profile functions read it so, in the ANSI code page, and so does the project file here.
std::string AnsiText(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        const std::optional<WideText> wide = Widened(bytes.substr(3), CP_UTF8);
        if (wide) return Narrowed(*wide, CP_ACP, false).value_or(bytes);
    }
    if (bytes.size() % 2 == 0 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        WideText wide((bytes.size() - 2) / 2);
        for (size_t i = 0; i < wide.size(); ++i) {
            wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        }
        return Narrowed(wide, CP_ACP, false).value_or(bytes);
    }
    return bytes;
}
const char* const kOpenFilter = "Zonewright Save Files (*.exc)|*.exc|Exclusion XML source (*.xml)|*.xml|";

}  // namespace

std::optional<OpenedFile> DocumentFiles::Open(HWND owner, const ExclusionDocument& current) {
    OpenFile.filter = kOpenFilter;
    if (!Choose(owner, OpenFile, false)) return std::nullopt;
    return Read(owner, OpenFile.fileName, false, current);
}

std::optional<OpenedFile> DocumentFiles::OpenNamed(HWND owner, const std::string& path,
                                                   const ExclusionDocument& current) {
    // The next File > Open starts from it, as after opening it there.
    OpenFile.fileName = path;
    return Read(owner, path, true, current);
}

// An XML source replaces the document with its areas. A project loads by line position: the
// first missing or unusable value ends the loading quietly, and what was loaded before it stays.
std::optional<OpenedFile> DocumentFiles::Read(HWND owner, const std::string& path, bool tellUnreadable,
                                              const ExclusionDocument& current) {
    if (IsXmlFile(path)) {
        const Result<SourceAreas> read = ReadExclusionSourceFile(path);
        if (read.error) {
            showMessage_(owner, read.report, kFailureIcon);
            return std::nullopt;
        }
        OpenedFile opened{current, true, DroppedMessage(path, read.value)};
        opened.document.areas = read.value.areas;
        opened.document.selected = 0;
        // A source kept as a file is one its designer keeps: saved over it, it stays after compiling.
        opened.document.deleteSource = CheckState::Clear;
        return opened;
    }
    if (!CanLoad(owner, path, tellUnreadable)) return std::nullopt;
    const Result<std::string> text = ReadWholeFile(path, kProjectFileLimit);
    if (text.error) return std::nullopt;
    const ProjectLoad load = LoadProjectText(AnsiText(text.value));
    OpenedFile opened{OpenedDocument(current, load), false, ""};
    if (load.unloadedArea) {
        const std::string number = std::to_string(load.unloadedArea);
        const size_t before = load.unloadedArea - 1;
        opened.note = "Area " + number + " of the project \"" + path +
                      "\" could not be loaded: a value of it or of an area before it is missing or is none the "
                      "area can take. " +
                      (before == 1 ? "The area" : "The " + std::to_string(before) + " areas") +
                      " before it loaded.\r\n\r\nSaving the project over this file leaves out area " + number +
                      " and those after it.";
    }
    return opened;
}

// Nothing while a dialog window or a message keeps the window disabled, as for any other input.
std::optional<OpenedFile> DocumentFiles::OpenDropped(HWND owner, HDROP drop, const ExclusionDocument& current) {
    const auto queryFile = shell32_.Get<UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT)>("DragQueryFileA");
    const auto finish = shell32_.Get<void(WINAPI*)(HDROP)>("DragFinish");
    std::string path;
    if (queryFile) {
        std::vector<char> name(queryFile(drop, 0, nullptr, 0) + 1, '\0');
        if (queryFile(drop, 0, name.data(), static_cast<UINT>(name.size())) > 0) path = name.data();
    }
    if (finish) finish(drop);
    if (!queryFile || !finish) {
        showMessage_(owner,
                     "The dropped file could not be taken: shell32.dll could not be loaded.\r\n\r\n" +
                         DescribeError(shell32_.error()),
                     kFailureIcon);
        return std::nullopt;
    }
    if (path.empty() || !IsWindowEnabled(owner)) return std::nullopt;
    return OpenNamed(owner, path, current);
}

bool DocumentFiles::CanLoad(HWND owner, const std::string& path, bool tellUnreadable) {
    const std::error_code error = CheckProjectFile(path);
    if (!error) return true;
    if (error == Failure::FileTooLarge) {
        showMessage_(owner,
                     "The project file \"" + path +
                         "\" could not be opened.\r\n\r\nIt is larger than 16 MB, which no project file is. "
                         "Nothing was loaded.",
                     kFailureIcon);
    } else if (tellUnreadable) {
        showMessage_(owner, "The project file \"" + path + "\" could not be opened.\r\n\r\n" + DescribeError(error),
                     kFailureIcon);
    }
    return false;
}

// A project is read and written whole, once: its other sections stay as they were, and until the
// new text is complete the old file stays as it was. The KML type exports the areas for Google
// Earth instead, and writes no project. Every Save starts on the project type: a Ctrl+S after an
// export must not leave the work unsaved.
void DocumentFiles::Save(HWND owner, const ExclusionDocument& document) {
    selectSaveFile2.filter = kSaveFilter;
    selectSaveFile2.typeExtensions = {"", ".kml"};
    selectSaveFile2.filterIndex = 1;
    const std::string projectName = selectSaveFile2.fileName;
    if (!Choose(owner, selectSaveFile2, true)) return;
    const std::string path = selectSaveFile2.fileName;
    if (selectSaveFile2.filterIndex == kKmlType) {
        // The next Save offers the project's name again, not the export's.
        selectSaveFile2.fileName = projectName;
        if (const std::error_code error = WriteWholeFile(path, KmlDocument(document))) {
            showMessage_(owner, "The KML file could not be saved to \"" + path + "\".\r\n\r\n" + DescribeError(error),
                         kFailureIcon);
        }
        return;
    }
    // No larger than Open takes, whether read from the file saved over or written. An XML source
    // saved over is replaced: sections after its XML would open as neither.
    Result<std::string> existing;
    if (!StatFile(path).error && !IsXmlFile(path)) existing = ReadWholeFile(path, kProjectFileLimit);
    std::error_code error = existing.error;
    const std::string text = error ? "" : ProjectText(AnsiText(existing.value), document);
    if (!error && text.size() > static_cast<size_t>(kProjectFileLimit)) error = Failure::FileTooLarge;
    if (!error) error = WriteWholeFile(path, text);
    if (error) {
        showMessage_(owner,
                     "The project could not be saved completely to \"" + path + "\".\r\n\r\n" + DescribeError(error),
                     kFailureIcon);
    }
}

std::optional<std::string> DocumentFiles::AskSourceName(HWND owner) {
    cdbWordProc.filter = "XML Files (*.xml)|*.xml|All Files (*.*)|*.*| ";
    if (!Choose(owner, cdbWordProc, true)) return std::nullopt;
    return cdbWordProc.fileName;
}

bool DocumentFiles::Choose(HWND owner, FileDialog& dialog, bool save) {
    const Result<bool> chosen = save ? dialog.ShowSave(owner) : dialog.ShowOpen(owner);
    if (chosen.error) showMessage_(owner, chosen.report, kFailureIcon);
    return chosen.value;
}
