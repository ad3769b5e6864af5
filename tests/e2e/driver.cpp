#include "driver.h"

#include <vector>

namespace e2e {

namespace {

// Long enough for a slow Wine, short enough that a hung program fails the test.
constexpr UINT kSendTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kFileNameComboId = 1148;  // cmb13
constexpr int kFileNameEditId = 1152;   // edt1

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

std::string Failure(const std::string& what) {
    return what + " failed with error " + std::to_string(GetLastError());
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

std::string FindZonewrightExe() {
    char value[MAX_PATH];
    const DWORD set = GetEnvironmentVariableA("ZONEWRIGHT_EXE", value, sizeof value);
    if (set > 0 && set < sizeof value) return std::string(value, set);

    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) return "";
    std::string folder(module, length);
    for (size_t slash = folder.find_last_of('\\'); slash != std::string::npos; slash = folder.find_last_of('\\')) {
        folder.erase(slash);
        const std::string candidate = folder + "\\Zonewright.exe";
        const DWORD attributes = GetFileAttributesA(candidate.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
    }
    return "";
}

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

std::string MessageBoxText(HWND box) { return GetText(GetDlgItem(box, kMessageBoxTextId)); }

bool CloseMessageBox(HWND box) {
    return PostMessageA(box, WM_COMMAND, IDOK, 0) && WaitUntil([&] { return !IsWindow(box); });
}

std::vector<HWND> FindOwnedWindows(HWND owner, const char* className) {
    OwnedSearch search{owner, className, {}};
    if (owner) EnumWindows(&CollectOwnedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AnswerFileDialog(HWND dialog, const std::string& fileName) {
    return SetText(FileNameBox(dialog), fileName) && PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

bool CancelFileDialog(HWND dialog) { return dialog && PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

std::optional<std::string> ReadFileBytes(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
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

Zonewright::Zonewright(const std::string& exePath, const std::optional<std::string>& settings) {
    if (!CopyFileA(exePath.c_str(), Path("Zonewright.exe").c_str(), TRUE)) {
        failure_ = Failure("copying " + exePath + " into " + folder_.path());
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

bool Zonewright::Start() {
    if (!prepared_) return false;
    if (process_ && !HasExited()) {
        failure_ = "the program was started again while it still runs";
        return false;
    }
    const std::string exe = Path("Zonewright.exe");
    std::string commandLine = "\"" + exe + "\"";
    // Started from another current folder, as from a shortcut: the program must find its
    // settings beside itself, not in the current folder.
    const std::string currentFolder = Path("elsewhere");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                        &startup, &info)) {
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
    const bool ready = WaitUntil([&] {
        main = FindMainWindow();
        return main && IsWindowVisible(main) && IsWindowEnabled(main);
    });
    return ready ? main : nullptr;
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
