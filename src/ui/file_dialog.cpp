#include "ui/file_dialog.h"

#include <commdlg.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "storage/text_file.h"
#include "win32/system_error_win32.h"

namespace {

// A function of a loaded library; the cast goes through void(*)(), which any function pointer
// may be cast to and back.
template <class Function>
Function Symbol(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// comdlg32, loaded once and kept for the rest of the run.
class CommonDialogLibrary {
public:
    CommonDialogLibrary() : module_(LoadLibraryA("comdlg32.dll")) {
        if (!module_) {
            error_ = LastError();
            return;
        }
        open = Symbol<Function>(module_, "GetOpenFileNameA");
        save = Symbol<Function>(module_, "GetSaveFileNameA");
        extendedError = Symbol<ErrorFunction>(module_, "CommDlgExtendedError");
        if (!open || !save || !extendedError) error_ = LastError();
    }
    ~CommonDialogLibrary() {
        if (module_) FreeLibrary(module_);
    }
    CommonDialogLibrary(const CommonDialogLibrary&) = delete;
    CommonDialogLibrary& operator=(const CommonDialogLibrary&) = delete;

    // Why the library cannot serve; no error when it can.
    const std::error_code& error() const { return error_; }

    using Function = BOOL(WINAPI*)(LPOPENFILENAMEA);
    using ErrorFunction = DWORD(WINAPI*)();
    Function open = nullptr;
    Function save = nullptr;
    ErrorFunction extendedError = nullptr;

private:
    HMODULE module_;
    std::error_code error_;
};

// Made at the first dialog, on the one GUI thread; a function-local static would bring the
// thread library's locking along for nothing.
std::optional<CommonDialogLibrary> library;

const CommonDialogLibrary& Library() {
    if (!library) library.emplace();
    return *library;
}

}  // namespace

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
    const CommonDialogLibrary& comdlg32 = Library();
    if (comdlg32.error()) {
        chosen.error = comdlg32.error();
        chosen.report = "The file dialog could not be shown: comdlg32.dll could not be loaded.\r\n\r\n" +
                        DescribeError(comdlg32.error());
        return chosen;
    }
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
    if (!(save ? comdlg32.save(&dialog) : comdlg32.open(&dialog))) {
        // Zero is a cancel; any other code, a dialog that could not be shown.
        if (const DWORD error = comdlg32.extendedError()) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
            chosen.error = Failure::FileDialogFailed;
            chosen.report = std::string("The file dialog could not be shown: it reported error ") + code + ".";
        }
        return chosen;
    }
    fileName = name.data();
    chosen.value = true;
    return chosen;
}
