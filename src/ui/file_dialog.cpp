#include "ui/file_dialog.h"

#include <commdlg.h>

#include <vector>

std::string FilterList(const std::string& filter) {
    std::string list = filter;
    for (char& c : list) {
        if (c == '|') c = '\0';
    }
    list.push_back('\0');
    list.push_back('\0');
    return list;
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
    dialog.Flags = OFN_HIDEREADONLY;
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) return false;
    fileName = name.data();
    return true;
}
