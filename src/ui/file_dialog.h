#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/result.h"

// The platform's common Open/Save dialog, kept as a component of its window: the filter is
// given as "Description|pattern|Description|pattern|", and the file name and the file type stay
// from one use to the next. Its library is loaded at the first use: loaded at start-up, it would
// bring the shell's libraries along and slow every start.
class FileDialog {
public:
    std::string filter;
    std::string fileName;
    // The file type, counted from 1 in the filter's order: the dialog opens with it, and a chosen
    // file leaves the user's choice here.
    DWORD filterIndex = 1;
    // For each file type in the filter's order, the extension a name typed without one gets when
    // that type is chosen (".kml"), or "" (and for types beyond the list): the name as typed. A
    // Windows user who types "area" with a file type chosen expects "area" of that type, as
    // Windows' own programs save it; the project type alone keeps a name as typed, as it always
    // has. A name ending in another type's extension (the filter's "*.exc") gets this one in its
    // place: it is the last file's name, left in the box. Saving asks before replacing a file of
    // the name so made, as the dialog asks for a name typed in full.
    std::vector<std::string> typeExtensions;

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

// The path with the extension added when its file name has none, or put in place of one of
// `replaced` (another file type's, left in the name box from the last file); the path as it is
// for "".
std::string WithExtension(const std::string& path, const std::string& extension,
                          const std::vector<std::string>& replaced = {});
