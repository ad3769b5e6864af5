#include "ui/info_dialog.h"

#include <memory>

#include "ui/layout.h"
#include "ui/resource.h"

namespace {

const char* const kClassName = "InfoDialog";
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
const DWORD kExStyle = WS_EX_DLGMODALFRAME;

using K = ControlKind;
using W = InfoDialog;

const ControlRow<W> kLayout[] = {
    {&W::OKButton, {IDOK, K::DefaultPushButton, "OK", 0, 4680, 240, 1215, 375}},
    {&W::Label1, {IDC_Info_Label1, K::Label, "Zonewright Info", 0, 240, 240, 1575, 255}},
    {&W::Label2, {IDC_Info_Label2, K::Label,
                  "This small program should help you to create exclude files for FS2004 using the new XML based "
                  "code and the new compiler.",
                  0, 240, 840, 3855, 615}},
    {&W::Label3, {IDC_Info_Label3, K::Label,
                  "You may insert the coordinates by hand or using FSConnect module which imports your current "
                  "location data. To import a coordinate value into any textboxes press the corresponding \"FSC\" "
                  "button(s). ",
                  0, 240, 1560, 3855, 855}},
    {&W::Label4, {IDC_Info_Label4, K::Label,
                  "Zonewright supports both decimal and degrees-minutes-seconds format.", 0, 240, 2520, 3855, 495}},
    {&W::Label5, {IDC_Info_Label5, K::Label,
                  "Please note that you should generate code before you generate the .bgl file.", 0, 240, 3120,
                  3855, 495}},
    {&W::Label6, {IDC_Info_Label6, K::Label, "Version 2.0", 0, 240, 480, 855, 255}},
};

}  // namespace

HWND InfoDialog::Open(HWND mainWindow) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    if (!Register(instance, kClassName, COLOR_BTNFACE)) return nullptr;
    std::unique_ptr<InfoDialog> dialog(new InfoDialog(mainWindow));
    const Dpi dpi = ScreenDpi();
    dialog->font_ = UniqueFont(CreateDialogFont(dpi, FW_NORMAL));
    dialog->boldFont_ = UniqueFont(CreateDialogFont(dpi, FW_BOLD));
    const RECT rect = CentredWindowRect(6030, 3705, kStyle, kExStyle, false, dpi);
    // Owned by the main window, so it stays out of the task bar.
    HWND window = CreateWindowExA(kExStyle, kClassName, "Zonewright Info", kStyle, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, mainWindow, nullptr, instance,
                                  dialog.get());
    if (!window) return nullptr;
    dialog.release()->deleteWithWindow_ = true;
    ShowWindow(window, SW_SHOW);
    return window;
}

LRESULT InfoDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!CreateControls(*this, hwnd_, kLayout, ScreenDpi(), font_.get())) return -1;
        SendMessageA(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) Close();
        return 0;
    case WM_ACTIVATE: KeepFocusOnActivate(hwnd_, wParam, savedFocus_); return 0;
    case WM_CLOSE: Close(); return 0;
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void InfoDialog::Close() {
    // Enabled first, so that Windows hands the activation back to the main window.
    EnableWindow(mainWindow_, TRUE);
    DestroyWindow(hwnd_);
}
