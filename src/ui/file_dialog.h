#pragma once

#include <windows.h>

#include <string>

// The platform's common Open/Save dialog, kept as a component of its window: the filter is
// given as "Description|pattern|Description|pattern|", and the file name stays from one use
// to the next. Its library is loaded at the first use: loaded at start-up, it would bring the
// shell's libraries along and slow every start.
class FileDialog {
public:
    std::string filter;
    std::string fileName;
    // Why the last dialog could not be shown, for the user; "" after a choice or a cancel.
    std::string failure;

    // Shows the dialog over the owner; false when the user cancels or the dialog fails, and
    // fileName is then unchanged.
    bool ShowOpen(HWND owner);
    bool ShowSave(HWND owner);

private:
    bool Show(HWND owner, bool save);
};

// "Description|pattern|..." as the dialog wants it: NUL-separated pairs, ending in two NULs.
std::string FilterList(const std::string& filter);
