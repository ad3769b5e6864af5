#pragma once

// Drives the real Zonewright.exe from outside, as a user would: through its windows' messages
// and the keyboard. Every wait is bounded; every call into the program uses a timeout, so a
// hung program fails a test instead of hanging it.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "test_folder.h"
#include "win32_test_support.h"
#include "win32/handles.h"

namespace e2e {

constexpr DWORD kTimeoutMs = 10000;

using ::WaitUntil;

// The environment variable ZONEWRIGHT_EXE when set, else the first file of that name found
// walking up from the test program's folder; "" when there is none.
std::string FindZonewrightExe();
// The stand-in compiler tools\bglcomp.exe of the build, found in the same way (or named by
// the environment variable ZONEWRIGHT_BGLCOMP); "" when there is none.
std::string FindStandInCompiler();

// The visible or hidden top-level windows of the process with this class and title.
std::vector<HWND> FindTopWindows(DWORD processId, const char* className, const char* title);
// The first of them, or nullptr.
HWND FindTopWindow(DWORD processId, const char* className, const char* title);
HWND WaitForTopWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs = kTimeoutMs);

// Controls and their contents (sent with a timeout; false or "" when the call failed).
bool SetText(HWND control, const std::string& text);
std::string GetText(HWND control);
LRESULT GetCheck(HWND checkBox);  // BM_GETCHECK, or -1 when the call failed
bool SetCheck(HWND checkBox, WPARAM state);
// EM_GETSEL of an edit box as {start, end}, or {-1, -1}.
std::pair<int, int> GetSelection(HWND edit);
// The lines of another process's list box, in the ANSI code page.
std::vector<std::string> ListBoxLines(HWND list);

// Posted, so a click or command that opens a modal window does not block the caller.
bool Click(HWND button);          // BM_CLICK to the button
bool NotifyClicked(HWND button);  // WM_COMMAND BN_CLICKED to its parent
bool PostCommand(HWND window, int id);

// Returns once the thread of the button's window has handled every message posted to it
// before this call (or a modal loop inside that handling has): it posts BM_SETSTATE, waits
// for its effect, then clears the state again. Keystrokes are not covered.
bool Settle(HWND button);

// The window that has the keyboard focus in the thread of this window, or nullptr.
HWND FocusOf(HWND window);

// Brings the window to the foreground and presses the keys together: all down in order,
// then up in reverse order (e.g. {VK_CONTROL, 'N'}).
bool PressKeys(HWND window, std::initializer_list<WORD> keys);

// A message box's text, and closing it with OK (waits until it is gone).
std::string MessageBoxText(HWND box);
bool CloseMessageBox(HWND box);

// Which of the system's message-box icons a message box shows, told by its pixels on the screen:
// "exclamation", "hand", "asterisk" or "question"; "" when it shows none or none matches.
std::string MessageBoxIcon(HWND box);

// The top-level windows of this class that this window owns.
std::vector<HWND> FindOwnedWindows(HWND owner, const char* className);
// The first visible one, once there is one; nullptr when none appeared in time.
HWND WaitForOwnedWindow(HWND owner, const char* className, DWORD timeoutMs = kTimeoutMs);

// Answers a common Open/Save dialog with a file name, or cancels it.
// The file dialog's box of the file name.
HWND FileNameBox(HWND dialog);
bool AnswerFileDialog(HWND dialog, const std::string& fileName);
bool CancelFileDialog(HWND dialog);
// The file types a common file dialog offers, in the order of its type list.
std::vector<std::string> FileTypes(HWND dialog);
// Chooses the entry at this index of the type list, as a user would.
bool ChooseFileType(HWND dialog, int index);
// How many entries the dialog's folder view lists; -1 when it cannot be told.
int ListedFiles(HWND dialog);
// The question a Save dialog asks before replacing an existing file: a "#32770" box owned by
// the dialog. Waits for it; nullptr when none appeared in time.
HWND WaitForReplacePrompt(HWND dialog);
// Answers such a question with Yes and waits until it is gone.
bool AnswerYes(HWND box);

// A file's bytes, or nothing when it cannot be read (reading shares the file with writers);
// writing makes the file anew.
std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);

// The running processes whose program file has this name (as "bglcomp.exe").
std::vector<DWORD> RunningProcesses(const std::string& exeName);

// The system's description of an error code, without the line break at its end.
std::string SystemMessage(DWORD error);
// While the test holds the file open without sharing: the system's descriptions of why it can
// be neither opened for writing nor replaced by another file holding these bytes. Empty when
// either succeeds.
std::vector<std::string> ReasonsTheFileIsLocked(const std::string& path, const std::string& bytes);

// A drive letter of the Wine prefix, mapped as winecfg maps one, that names a folder while it lives.
class MappedDrive {
public:
    MappedDrive(char letter, const std::string& folder);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    bool mapped() const { return mapped_; }
    std::string root() const { return std::string(1, letter_) + ":\\"; }  // as "Y:\"

private:
    char letter_;
    bool mapped_ = false;
};

// One run of Zonewright.exe, copied into a fresh folder of its own.
class Zonewright {
public:
    // Writes the settings file ZonewrightV2.ini beside the copy first when settings are given.
    // The copy goes into a folder of this name within the fresh folder, or into that one itself;
    // the name is UTF-8, and a folder whose name the ANSI code page cannot write is known by its
    // short name. With a drive letter, the fresh folder is that drive's root.
    explicit Zonewright(const std::string& exePath, const std::optional<std::string>& settings = std::nullopt,
                        const std::string& folderName = "", char drive = 0);
    // Ends the program if it still runs, so a failed test leaves nothing behind.
    ~Zonewright();
    Zonewright(const Zonewright&) = delete;
    Zonewright& operator=(const Zonewright&) = delete;

    // A file in the program's folder.
    std::string Path(const std::string& name) const {
        return programFolder_ + (programFolder_.back() == '\\' ? "" : "\\") + name;
    }
    // A file in the folder that holds the program's folder (the same folder when it is unnamed).
    std::string OuterPath(const std::string& name) const { return folder_.Path(name); }
    // Whether the copy (and the settings file) are in place.
    bool prepared() const { return prepared_; }
    // What went wrong in preparing or starting, for a failed test's report.
    const std::string& failure() const { return failure_; }

    // Starts the copy with these arguments on its command line; once that process has ended it
    // may be started again in the same folder.
    bool Start(const std::string& arguments = "");

    HWND FindMainWindow() const;
    HWND FindInfoWindow() const;
    HWND FindSettingsWindow() const;
    HWND FindMessageBox() const;
    std::vector<HWND> FindInfoWindows() const;
    std::vector<HWND> FindSettingsWindows() const;
    std::vector<HWND> FindMessageBoxes() const;
    // The main window once it is visible and enabled (no start-up message in the way) and the
    // program waits for input.
    HWND WaitForMainWindow() const;
    HWND WaitForInfoWindow() const;      // once visible
    HWND WaitForSettingsWindow() const;  // once visible
    HWND WaitForMessageBox() const;

    // The processes this run has started that still run.
    std::vector<DWORD> ChildProcesses() const;
    // Waits until none of them runs any longer.
    bool WaitForChildProcesses(DWORD timeoutMs = kTimeoutMs) const;

    bool HasExited() const;
    bool WaitForExit(DWORD timeoutMs = kTimeoutMs) const;
    // The exit code, or STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

private:
    TestFolder folder_;  // first member: removed only after the process has ended
    std::optional<MappedDrive> drive_;
    std::string programFolder_;
    bool prepared_ = false;
    std::string failure_;
    std::optional<UniqueHandle> process_;
    DWORD processId_ = 0;
};

}  // namespace e2e
