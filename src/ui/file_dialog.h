#pragma once

#include <windows.h>

#include <string>

#include "model/result.h"

// The platform's common Open/Save dialog, kept as a component of its window: the filter is
// given as "Description|pattern|Description|pattern|", and the file name stays from one use
// to the next. Its library is loaded at the first use: loaded at start-up, it would bring the
// shell's libraries along and slow every start.
class FileDialog {
public:
    std::string filter;
    std::string fileName;

    // Shows the dialog over the owner: true when a file was chosen, false when the user
    // cancelled (fileName is then unchanged); an error, with its report, when the dialog could
    // not be shown.
    Result<bool> ShowOpen(HWND owner);
    Result<bool> ShowSave(HWND owner);

private:
    Result<bool> Show(HWND owner, bool save);
};

// "Description|pattern|..." as the dialog wants it: NUL-separated pairs, ending in two NULs.
std::string FilterList(const std::string& filter);
