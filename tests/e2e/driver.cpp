#include "driver.h"

#include <commctrl.h>
#include <winioctl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace e2e {

namespace {

// Long enough for a slow Wine, short enough that a hung program fails the test.
constexpr UINT kSendTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kFileNameComboId = 1148;  // cmb13
constexpr int kFileNameEditId = 1152;   // edt1
constexpr int kFileTypeListId = 1136;   // cmb1
// The icon of a message box: 20 on Windows, stc1 in Wine's template.
constexpr int kMessageBoxIconIds[] = {20, 1088};

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr) {
    DWORD_PTR answer = 0;
    if (!window || !SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer)) {
        return false;
    }
    if (result) *result = static_cast<LRESULT>(answer);
    return true;
}

std::string ClassName(HWND window) {
    char name[64] = "";
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

bool IsClass(HWND window, const char* className) { return lstrcmpiA(ClassName(window).c_str(), className) == 0; }

struct OwnedSearch {
    HWND owner;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwnedWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    if (GetWindow(window, GW_OWNER) == search->owner && IsClass(window, search->className)) {
        search->found.push_back(window);
    }
    return TRUE;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsClass(window, search->className)) return TRUE;
    // Reads the title Windows keeps for the window, without sending it a message.
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(title, search->title) == 0) search->found.push_back(window);
    return TRUE;
}

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

// The Edit that takes the file name: inside the ComboBoxEx32/ComboBox 1148, or Edit 1152.

std::string Failure(const std::string& what) {
    return what + " failed with error " + std::to_string(GetLastError());
}

}  // namespace

HWND FileNameBox(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, kFileNameComboId)) {
        if (IsClass(combo, "Edit")) return combo;
        if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
        if (HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr)) {
            if (HWND edit = FindWindowExA(inner, nullptr, "Edit", nullptr)) return edit;
        }
    }
    HWND edit = GetDlgItem(dialog, kFileNameEditId);
    return edit && IsClass(edit, "Edit") ? edit : nullptr;
}

std::string FindZonewrightExe() { return FindBuildFile("ZONEWRIGHT_EXE", "Zonewright.exe"); }

std::string FindStandInCompiler() { return FindBuildFile("ZONEWRIGHT_BGLCOMP", "tools\\bglcomp.exe"); }

std::vector<HWND> FindTopWindows(DWORD processId, const char* className, const char* title) {
    WindowSearch search{processId, className, title, {}};
    if (processId != 0) EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(DWORD processId, const char* className, const char* title) {
    const std::vector<HWND> found = FindTopWindows(processId, className, title);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForTopWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindTopWindow(processId, className, title)) != nullptr; }, timeoutMs);
    return window;
}

bool SetText(HWND control, const std::string& text) {
    LRESULT done = FALSE;
    return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &done) && done;
}

std::string GetText(HWND control) {
    LRESULT length = 0;
    if (!Send(control, WM_GETTEXTLENGTH, 0, 0, &length) || length < 0) return "";
    std::vector<char> text(static_cast<size_t>(length) + 1);
    LRESULT copied = 0;
    if (!Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return "";
    return std::string(text.data(), static_cast<size_t>(copied));
}

LRESULT GetCheck(HWND checkBox) {
    LRESULT state = 0;
    return Send(checkBox, BM_GETCHECK, 0, 0, &state) ? state : -1;
}

bool SetCheck(HWND checkBox, WPARAM state) { return Send(checkBox, BM_SETCHECK, state, 0); }

std::pair<int, int> GetSelection(HWND edit) {
    // Null pointers: the positions come back packed in the result, which crosses processes.
    LRESULT packed = 0;
    if (!Send(edit, EM_GETSEL, 0, 0, &packed)) return {-1, -1};
    return {LOWORD(packed), HIWORD(packed)};
}

bool Click(HWND button) { return button && PostMessageA(button, BM_CLICK, 0, 0); }

bool NotifyClicked(HWND button) {
    HWND parent = button ? GetParent(button) : nullptr;
    return parent && PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button));
}

// Wine hands another process's LB_GETTEXT over in UTF-16 whatever was asked: told by a NUL
// among the characters it counts.
std::vector<std::string> ListBoxLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length < 0) break;
        std::vector<char> text(2 * static_cast<size_t>(length) + 2, '\0');
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        if (std::find(text.begin(), text.begin() + length, '\0') == text.begin() + length) {
            lines.emplace_back(text.data(), static_cast<size_t>(length));
            continue;
        }
        std::string narrow(static_cast<size_t>(length) * 2 + 1, '\0');
        const int made = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                             static_cast<int>(length), &narrow[0], static_cast<int>(narrow.size()),
                                             nullptr, nullptr);
        lines.push_back(narrow.substr(0, static_cast<size_t>(made > 0 ? made : 0)));
    }
    return lines;
}

bool PostCommand(HWND window, int id) {
    return window && PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool Settle(HWND button) {
    // One thread's posted messages are handled in the order they were posted, so once this
    // one has taken effect, so have all before it.
    LRESULT state = 0;
    if (!Send(button, BM_GETSTATE, 0, 0, &state) || (state & BST_PUSHED)) return false;
    if (!PostMessageA(button, BM_SETSTATE, TRUE, 0)) return false;
    const bool handled = WaitUntil([&] {
        LRESULT now = 0;
        return Send(button, BM_GETSTATE, 0, 0, &now) && (now & BST_PUSHED);
    });
    return Send(button, BM_SETSTATE, FALSE, 0) && handled;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = window ? GetWindowThreadProcessId(window, nullptr) : 0;
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool PressKeys(HWND window, std::initializer_list<WORD> keys) {
    if (!WaitUntil([&] {
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        })) {
        return false;
    }
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, 0));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(KeyInput(*key, KEYEVENTF_KEYUP));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Every box of the program has a text; a moment after the box shows, it may not be set yet.
std::string MessageBoxText(HWND box) {
    std::string text;
    WaitUntil([&] { return !(text = GetText(GetDlgItem(box, kMessageBoxTextId))).empty(); }, 2000);
    return text;
}

bool CloseMessageBox(HWND box) {
    return PostMessageA(box, WM_COMMAND, IDOK, 0) && WaitUntil([&] { return !IsWindow(box); });
}

namespace {

// The pixels of a rectangle of the screen, or of an icon drawn over the colour of its first
// pixel, as 0x00RRGGBB values row by row.
class Pixels {
public:
    Pixels(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~Pixels() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    bool ok() const { return old_ != nullptr; }
    bool CopyScreen(int left, int top) {
        HDC screen = GetDC(nullptr);
        const BOOL copied = screen && BitBlt(dc_, 0, 0, width_, height_, screen, left, top, SRCCOPY);
        if (screen) ReleaseDC(nullptr, screen);
        GdiFlush();
        return copied;
    }
    bool DrawIcon(HICON icon, UINT32 background) {
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = background;
        const BOOL drawn = DrawIconEx(dc_, 0, 0, icon, width_, height_, 0, nullptr, DI_NORMAL);
        GdiFlush();
        return drawn;
    }
    UINT32 At(int i) const { return bits_[i] & 0xFFFFFF; }
    int count() const { return width_ * height_; }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    UINT32* bits_ = nullptr;
};

// The sum over the pixels of the differences of their colour channels.
long long Difference(const Pixels& a, const Pixels& b) {
    long long sum = 0;
    for (int i = 0; i < a.count(); ++i) {
        for (int shift : {0, 8, 16}) {
            sum += std::abs(static_cast<int>((a.At(i) >> shift) & 0xFF) - static_cast<int>((b.At(i) >> shift) & 0xFF));
        }
    }
    return sum;
}

}  // namespace

std::string MessageBoxIcon(HWND box) {
    HWND control = nullptr;
    for (int id : kMessageBoxIconIds) {
        HWND candidate = GetDlgItem(box, id);
        if (candidate && IsClass(candidate, "Static") && IsWindowVisible(candidate)) control = candidate;
    }
    // Wine keeps the control when there is no icon, but it holds none.
    LRESULT icon = 0;
    if (!control || !Send(control, STM_GETICON, 0, 0, &icon) || icon == 0) return "";
    // Another process's icon cannot be read, but its pixels on the screen can be compared with
    // the system's icons drawn here.
    RECT rect = {};
    GetWindowRect(control, &rect);
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    if (rect.right - rect.left < width || rect.bottom - rect.top < height) return "";
    Pixels shown(width, height);
    if (!shown.ok() || !shown.CopyScreen(rect.left, rect.top)) return "";
    const std::pair<const char*, LPCSTR> icons[] = {
        {"exclamation", IDI_EXCLAMATION}, {"hand", IDI_HAND}, {"asterisk", IDI_ASTERISK}, {"question", IDI_QUESTION}};
    std::string best;
    long long bestDifference = -1;
    for (const auto& [name, id] : icons) {
        Pixels drawn(width, height);
        if (!drawn.ok() || !drawn.DrawIcon(LoadIconA(nullptr, id), shown.At(0))) return "";
        const long long difference = Difference(shown, drawn);
        if (bestDifference < 0 || difference < bestDifference) {
            best = name;
            bestDifference = difference;
        }
    }
    // A close match only: at most a twentieth of the largest possible difference.
    return bestDifference * 20 <= 255LL * 3 * width * height ? best : "";
}

std::vector<HWND> FindOwnedWindows(HWND owner, const char* className) {
    OwnedSearch search{owner, className, {}};
    if (owner) EnumWindows(&CollectOwnedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForOwnedWindow(HWND owner, const char* className, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : FindOwnedWindows(owner, className)) {
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool AnswerFileDialog(HWND dialog, const std::string& fileName) {
    return SetText(FileNameBox(dialog), fileName) && PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

bool CancelFileDialog(HWND dialog) { return dialog && PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

std::vector<std::string> FileTypes(HWND dialog) {
    // The dialog's lists are Unicode windows, and Wine hands their items to an ANSI caller
    // across processes unconverted: asked for in Unicode, they come back whole.
    HWND list = GetDlgItem(dialog, kFileTypeListId);
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutW(list, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count)) return {};
    std::vector<std::string> types;
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length) ||
            static_cast<LRESULT>(length) < 0) {
            return {};
        }
        // Room to spare, should the length be told in bytes.
        std::vector<wchar_t> text(2 * (length + 1), L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &copied) ||
            static_cast<LRESULT>(copied) < 0 || copied > length) {
            return {};
        }
        const int wide = static_cast<int>(copied);
        const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
        std::string type(static_cast<size_t>(bytes), '\0');
        WideCharToMultiByte(CP_ACP, 0, text.data(), wide, type.data(), bytes, nullptr, nullptr);
        types.push_back(type);
    }
    return types;
}

bool ChooseFileType(HWND dialog, int index) {
    HWND list = GetDlgItem(dialog, kFileTypeListId);
    LRESULT chosen = CB_ERR;
    // Setting the selection notifies no one: the dialog is told as a user's choice tells it.
    const LPARAM from = reinterpret_cast<LPARAM>(list);
    return Send(list, CB_SETCURSEL, index, 0, &chosen) && chosen == index &&
           Send(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeListId, CBN_SELCHANGE), from) &&
           Send(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeListId, CBN_SELENDOK), from);
}

namespace {

BOOL CALLBACK FindListView(HWND child, LPARAM found) {
    if (!IsClass(child, "SysListView32")) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

int ListedFiles(HWND dialog) {
    HWND list = nullptr;
    EnumChildWindows(dialog, &FindListView, reinterpret_cast<LPARAM>(&list));
    LRESULT count = 0;
    if (!list || !Send(list, LVM_GETITEMCOUNT, 0, 0, &count)) return -1;
    return static_cast<int>(count);
}

HWND WaitForReplacePrompt(HWND dialog) { return WaitForOwnedWindow(dialog, "#32770"); }

bool AnswerYes(HWND box) {
    return box && PostMessageA(box, WM_COMMAND, IDYES, 0) && WaitUntil([&] { return !IsWindow(box); });
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    // Shared in every way: reading must not keep a program from writing, appending to, replacing
    // or deleting the file at the same moment.
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) return bytes;
        bytes.append(buffer, got);
    }
    return std::nullopt;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string SystemMessage(DWORD error) {
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
    return length > 0 ? std::string(text, length) : "error " + std::to_string(error);
}

std::vector<std::string> ReasonsTheFileIsLocked(const std::string& path, const std::string& bytes) {
    std::vector<std::string> reasons;
    HANDLE writer =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
        return {};
    }
    reasons.push_back(SystemMessage(GetLastError()));
    TestFolder scratch;
    const std::string copy = scratch.Path("copy");
    if (ReadFileBytes(path) || !WriteFileBytes(copy, bytes)) return {};
    if (MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return {};
    reasons.push_back(SystemMessage(GetLastError()));
    return reasons;
}

namespace {

// What Wine's mount manager takes, as winecfg gives it, to map a drive letter to a Unix folder
// (to none: to unmap it).
struct WineUnixDrive {
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
    char mountPoint[4 * MAX_PATH];
};

bool DefineWineDrive(char letter, const char* unixFolder) {
    const UniqueHandle manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    WineUnixDrive drive = {};
    drive.size = sizeof drive;
    drive.type = *unixFolder ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
    drive.letter = static_cast<WCHAR>(letter | 0x20);  // in lower case
    drive.mountPointOffset = *unixFolder ? offsetof(WineUnixDrive, mountPoint) : 0;
    lstrcpynA(drive.mountPoint, unixFolder, sizeof drive.mountPoint);
    DWORD returned = 0;
    return manager &&
           DeviceIoControl(manager.get(), CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                           &drive, sizeof drive, nullptr, 0, &returned, nullptr);
}

std::wstring Wide(const std::string& text, UINT codePage) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                        &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// Makes the folder named in UTF-8; its path as the ANSI code page writes it, by its short form
// where that cannot write the name; "" when it could not be made.
std::string MakeFolder(const std::string& parent, const std::string& utf8Name) {
    const std::wstring folder = Wide(parent + "\\", CP_ACP) + Wide(utf8Name, CP_UTF8);
    wchar_t shortFolder[MAX_PATH];
    char ansi[MAX_PATH];
    BOOL lossy = FALSE;
    if (!CreateDirectoryW(folder.c_str(), nullptr) || !GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH) ||
        !WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, ansi, MAX_PATH, nullptr, &lossy)) {
        return "";
    }
    return lossy && !WideCharToMultiByte(CP_ACP, 0, shortFolder, -1, ansi, MAX_PATH, nullptr, nullptr) ? "" : ansi;
}

}  // namespace

MappedDrive::MappedDrive(char letter, const std::string& folder) : letter_(letter) {
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (char* unixFolder = unixFileName ? unixFileName(Wide(folder, CP_ACP).c_str()) : nullptr) {
        mapped_ = DefineWineDrive(letter, unixFolder);
        HeapFree(GetProcessHeap(), 0, unixFolder);
    }
}

MappedDrive::~MappedDrive() {
    if (mapped_) DefineWineDrive(letter_, "");
}

Zonewright::Zonewright(const std::string& exePath, const std::optional<std::string>& settings,
                       const std::string& folderName, char drive) {
    if (drive) drive_.emplace(drive, folder_.path());
    const std::string outer = drive ? drive_->root() : folder_.path();
    programFolder_ = folderName.empty() ? outer : MakeFolder(outer, folderName);
    if (drive && !drive_->mapped()) {
        failure_ = Failure("mapping the drive " + drive_->root() + " to " + folder_.path());
    } else if (programFolder_.empty()) {
        failure_ = Failure("creating " + folderName + " in " + outer);
    } else if (!CopyFileA(exePath.c_str(), Path("Zonewright.exe").c_str(), TRUE)) {
        failure_ = Failure("copying " + exePath + " into " + programFolder_);
    } else if (!CreateDirectoryA(Path("elsewhere").c_str(), nullptr)) {
        failure_ = Failure("creating " + Path("elsewhere"));
    } else if (settings && !WriteFileBytes(Path("ZonewrightV2.ini"), *settings)) {
        failure_ = Failure("writing " + Path("ZonewrightV2.ini"));
    } else {
        prepared_ = true;
    }
}

Zonewright::~Zonewright() {
    if (process_ && !HasExited()) {
        TerminateProcess(process_->get(), 1);
        WaitForSingleObject(process_->get(), kTimeoutMs);
    }
}

bool Zonewright::Start(const std::string& arguments) {
    if (!prepared_) return false;
    if (process_ && !HasExited()) {
        failure_ = "the program was started again while it still runs";
        return false;
    }
    const std::string exe = Path("Zonewright.exe");
    const std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    // Started from another current folder, as from a shortcut: the program must find its
    // settings beside itself, not in the current folder.
    const std::string currentFolder = Path("elsewhere");
    PROCESS_INFORMATION info = {};
    if (!StartProcess(exe.c_str(), commandLine, currentFolder.c_str(), info)) {
        failure_ = Failure("starting " + exe);
        return false;
    }
    UniqueHandle thread(info.hThread);
    process_.emplace(info.hProcess);
    processId_ = info.dwProcessId;
    return true;
}

HWND Zonewright::FindMainWindow() const { return FindTopWindow(processId_, "Zonewright", "Zonewright"); }

HWND Zonewright::FindInfoWindow() const { return FindTopWindow(processId_, "InfoDialog", "Zonewright Info"); }

HWND Zonewright::FindSettingsWindow() const {
    return FindTopWindow(processId_, "OptionsWindow", "Zonewright Settings");
}

std::vector<HWND> Zonewright::FindSettingsWindows() const {
    return FindTopWindows(processId_, "OptionsWindow", "Zonewright Settings");
}

HWND Zonewright::FindMessageBox() const { return FindTopWindow(processId_, "#32770", "ZonewrightV2"); }

std::vector<HWND> Zonewright::FindMessageBoxes() const { return FindTopWindows(processId_, "#32770", "ZonewrightV2"); }

std::vector<HWND> Zonewright::FindInfoWindows() const {
    return FindTopWindows(processId_, "InfoDialog", "Zonewright Info");
}

HWND Zonewright::WaitForMainWindow() const {
    HWND main = nullptr;
    const bool shown = WaitUntil([&] {
        main = FindMainWindow();
        return main && IsWindowVisible(main) && IsWindowEnabled(main);
    });
    // The window is shown before its controls are made: ready once the program waits for input.
    if (!shown || !process_ || WaitForInputIdle(process_->get(), kTimeoutMs) != 0) return nullptr;
    return main;
}

HWND Zonewright::WaitForInfoWindow() const {
    HWND info = nullptr;
    WaitUntil([&] { return (info = FindInfoWindow()) != nullptr && IsWindowVisible(info); });
    return info && IsWindowVisible(info) ? info : nullptr;
}

HWND Zonewright::WaitForSettingsWindow() const {
    HWND settings = nullptr;
    WaitUntil([&] { return (settings = FindSettingsWindow()) != nullptr && IsWindowVisible(settings); });
    return settings && IsWindowVisible(settings) ? settings : nullptr;
}

HWND Zonewright::WaitForMessageBox() const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox()) != nullptr; });
    return box;
}

namespace {

// The ids of the running processes that satisfy the condition.
std::vector<DWORD> ProcessesWhere(const std::function<bool(const PROCESSENTRY32&)>& condition) {
    std::vector<DWORD> found;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return found;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (condition(entry)) found.push_back(entry.th32ProcessID);
    }
    return found;
}

}  // namespace

std::vector<DWORD> RunningProcesses(const std::string& exeName) {
    return ProcessesWhere(
        [&](const PROCESSENTRY32& entry) { return lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0; });
}

// Process ids are given again: a process that an earlier program of the same id left running
// names it as its parent too, but was made before this one.
std::vector<DWORD> Zonewright::ChildProcesses() const {
    if (processId_ == 0 || !process_) return {};
    FILETIME programMade = {}, unused[3] = {};
    GetProcessTimes(process_->get(), &programMade, &unused[0], &unused[1], &unused[2]);
    return ProcessesWhere([&](const PROCESSENTRY32& entry) {
        if (entry.th32ParentProcessID != processId_ || entry.th32ProcessID == processId_) return false;
        UniqueHandle child(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        FILETIME made = {};
        if (!child || !GetProcessTimes(child.get(), &made, &unused[0], &unused[1], &unused[2])) return true;
        return CompareFileTime(&made, &programMade) >= 0;
    });
}

bool Zonewright::WaitForChildProcesses(DWORD timeoutMs) const {
    return WaitUntil([&] { return ChildProcesses().empty(); }, timeoutMs);
}

bool Zonewright::HasExited() const { return process_ && WaitForSingleObject(process_->get(), 0) == WAIT_OBJECT_0; }

bool Zonewright::WaitForExit(DWORD timeoutMs) const {
    return process_ && WaitForSingleObject(process_->get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD Zonewright::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_->get(), &code);
    return code;
}

}  // namespace e2e
