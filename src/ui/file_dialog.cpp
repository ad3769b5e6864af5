#include "ui/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "storage/ansi_text.h"
#include "storage/text_file.h"
#include "ui/message_box.h"
#include "win32/loaded_library.h"

namespace {

using GetFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);
using ExtendedErrorFunction = DWORD(WINAPI*)();

// Loaded at the first dialog.
LoadedLibrary comdlg32("comdlg32.dll");

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool AnswersReplace(HWND owner, const std::string& path) {
    const std::string question = "\"" + path + "\" already exists.\r\nDo you want to replace it?";
    return MessageBoxA(owner, question.c_str(), kApplicationTitle, MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

std::string WithExtension(const std::string& path, const std::string& extension,
                          const std::vector<std::string>& replaced) {
    if (extension.empty()) return path;
    const size_t dot = FindLastCharacter(path.substr(FileNameStart(path)), ".");
    if (dot == std::string::npos) return path + extension;
    const size_t at = FileNameStart(path) + dot;
    const std::string current = path.substr(at);
    for (const std::string& other : replaced) {
        if (other.size() == current.size() &&
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, other.c_str(), -1, current.c_str(), -1) == CSTR_EQUAL) {
            return path.substr(0, at) + extension;
        }
    }
    return path;
}

// The extensions the filter's patterns name, "*.exc" giving ".exc".
std::vector<std::string> PatternExtensions(const std::string& filter) {
    std::vector<std::string> extensions;
    const std::string list = FilterList(filter);
    bool pattern = false;
    for (size_t start = 0; start < list.size() && list[start] != '\0'; start = list.find('\0', start) + 1) {
        const std::string part = list.c_str() + start;
        if (pattern && part.size() > 2 && part.compare(0, 2, "*.") == 0) extensions.push_back(part.substr(1));
        pattern = !pattern;
    }
    return extensions;
}

std::string FilterList(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar = filter.find('|'); bar != std::string::npos; bar = filter.find('|', start)) {
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(filter.substr(start));
    // Only whole description-pattern pairs are entries: a trailing remnant is no file type.
    std::string list;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) list += parts[i] + '\0' + parts[i + 1] + '\0';
    return list + '\0';
}

Result<bool> FileDialog::ShowOpen(HWND owner) {
    return Show(owner, false);
}

Result<bool> FileDialog::ShowSave(HWND owner) {
    return Show(owner, true);
}

Result<bool> FileDialog::Show(HWND owner, bool save) {
    Result<bool> chosen;
    const auto show = comdlg32.Get<GetFileNameFunction>(save ? "GetSaveFileNameA" : "GetOpenFileNameA");
    const auto extendedError = comdlg32.Get<ExtendedErrorFunction>("CommDlgExtendedError");
    if (!show || !extendedError) {
        chosen.error = comdlg32.error();
        chosen.report = "The file dialog could not be shown: comdlg32.dll could not be loaded.\r\n\r\n" +
                        DescribeError(chosen.error);
        return chosen;
    }
    const std::string filters = FilterList(filter);
    std::vector<char> name(32768, '\0');
    fileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    // Saving over an existing file asks first.
    dialog.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : 0);
    // A No to replacing the file that a name got its type's extension for shows the dialog again.
    for (;;) {
        if (!show(&dialog)) {
            // Zero is a cancel; any other code, a dialog that could not be shown.
            if (const DWORD error = extendedError()) {
                char code[16];
                std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
                chosen.error = Failure::FileDialogFailed;
                chosen.report = std::string("The file dialog could not be shown: it reported error ") + code + ".";
            }
            return chosen;
        }
        const std::string typed = name.data();
        const size_t type = dialog.nFilterIndex;
        const std::string path = WithExtension(
            typed, type >= 1 && type <= typeExtensions.size() ? typeExtensions[type - 1] : "", PatternExtensions(filter));
        if (!save || path == typed || !FileExists(path) || AnswersReplace(owner, path)) {
            fileName = path;
            filterIndex = dialog.nFilterIndex;
            chosen.value = true;
            return chosen;
        }
        path.copy(name.data(), name.size() - 1);
        name[std::min(path.size(), name.size() - 1)] = '\0';
    }
}
