#include "ui/file_dialog.h"

#include <commdlg.h>

#include <vector>

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

bool FileDialog::ShowOpen(HWND owner) { return Show(owner, false); }

bool FileDialog::ShowSave(HWND owner) { return Show(owner, true); }

bool FileDialog::Show(HWND owner, bool save) {
    const std::string filters = FilterList(filter);
    std::vector<char> name(32768, '\0');
    fileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    // Saving over an existing file asks first.
    dialog.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : 0);
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) return false;
    fileName = name.data();
    return true;
}
