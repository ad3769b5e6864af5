#include "ui/options_window.h"

#include <windows.h>

#include <memory>

#include "storage/ini_read.h"
#include "storage/ini_write.h"
#include "ui/layout.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"
#include "ui/resource.h"

namespace {

using K = ControlKind;
using W = OptionsWindow;

// Rows in tab order: the OK button comes first and so has the focus when the window opens.
const ControlRow<W> kLayout[] = {
    {nullptr, {IDC_Options_Frame1, K::Frame, "Settings", 0, 120, 120, 6015, 855}},
    {nullptr, {IDC_Options_Command2, K::PushButton, "OK", 0, 3720, 1080, 975, 375}},
    {nullptr, {IDC_Options_Command3, K::PushButton, "Cancel", 0, 4800, 1080, 1335, 375}},
    {&W::Text1, {IDC_Options_Text1, K::TextBox, "", IDC_Options_Frame1, 1920, 320, 3495, 285}},
    {nullptr, {IDC_Options_Command1, K::PushButton, "...", IDC_Options_Frame1, 5520, 320, 375, 255}},
    {nullptr, {IDC_Options_Label1, K::Label, "BGLComp.exe location:", IDC_Options_Frame1, 120, 360, 1695, 255}},
};

}  // namespace

OptionsWindow::OptionsWindow(HWND mainWindow, Dpi dpi, MessageSink showMessage)
    : DialogWindow(mainWindow, dpi), showMessage_(std::move(showMessage)) {
    cdbWordProc.filter = "BGLComp Program (bglcomp.exe)|*.exe|";
}

HWND OptionsWindow::Open(HWND mainWindow, Dpi dpi) {
    return Open(mainWindow, dpi, ShowMessage);
}

HWND OptionsWindow::Open(HWND mainWindow, Dpi dpi, MessageSink showMessage) {
    // Owned, so it stays above the disabled main window, yet an app window in the task bar.
    return Show(
        std::unique_ptr<OptionsWindow>(new OptionsWindow(mainWindow, dpi, std::move(showMessage))),
        {"OptionsWindow", "Zonewright Settings", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_APPWINDOW, 6285, 1590});
}

bool OptionsWindow::OnCreate() {
    if (!CreateControls(*this, hwnd_, kLayout, dpi_, font_.get())) return false;
    Load();
    return true;
}

void OptionsWindow::Place(Dpi dpi, HFONT font) {
    PlaceControls(hwnd_, kLayout, dpi, font);
}

void OptionsWindow::OnCommand(int id) {
    switch (id) {
        case IDOK: PressFocusedButton(); break;
        case IDC_Options_Command1: Browse(); break;
        case IDC_Options_Command2: Ok(); break;
        case IDC_Options_Command3: Close(); break;
        default: break;
    }
}

void OptionsWindow::Load() {
    // A settings file that cannot be read shows as no setting.
    SetWindowTextA(Text1, ReadIniValue(SettingsFilePath(), kSettingsSection, kCompilerKey).value.c_str());
}

// Enter arrives as IDOK from the dialog keyboard handling: it presses a focused button and
// nothing else.
void OptionsWindow::PressFocusedButton() {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != hwnd_) return;
    const int id = GetDlgCtrlID(focus);
    if (id == IDC_Options_Command1 || id == IDC_Options_Command2 || id == IDC_Options_Command3) {
        SendMessageA(focus, BM_CLICK, 0, 0);
    }
}

void OptionsWindow::Browse() {
    const Result<bool> chosen = cdbWordProc.ShowOpen(hwnd_);
    if (chosen.error) {
        showMessage_(hwnd_, chosen.report, kFailureIcon);
    } else if (chosen.value) {
        SetWindowTextA(Text1, cdbWordProc.fileName.c_str());
    }
}

void OptionsWindow::Ok() {
    const std::string path = SettingsFilePath();
    if (path.empty()) {
        showMessage_(hwnd_, ProgramFolderFault(), kFailureIcon);
        return;
    }
    const std::string location = WindowText(Text1);
    if (!ReadsBackAsIniValue(location)) {
        showMessage_(hwnd_,
                     "The compiler location \"" + location +
                         "\" cannot be stored: the settings file cannot hold a \"[\" or a line break in "
                         "it.\r\nMove the compiler to a folder whose path has no \"[\".",
                     kFailureIcon);
        return;
    }
    if (const std::error_code error = ReplaceIniFile(path, kSettingsSection, kCompilerKey, location)) {
        showMessage_(hwnd_, "The settings could not be saved to \"" + path + "\".\r\n\r\n" + DescribeError(error) +
                                "\r\nThe settings file is unchanged.",
                     kFailureIcon);
        return;
    }
    Close();
}
