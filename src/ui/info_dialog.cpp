#include "ui/info_dialog.h"

#include <memory>

#include "ui/layout.h"
#include "ui/resource.h"

namespace {

using K = ControlKind;
using W = InfoDialog;

const ControlRow<W> kLayout[] = {
    {nullptr, {IDOK, K::DefaultPushButton, "OK", 0, 4680, 240, 1215, 375}},
    {&W::Label1, {IDC_Info_Label1, K::Label, "Zonewright Info", 0, 240, 240, 1575, 255}},
    {nullptr,
     {IDC_Info_Label2, K::Label,
      "This small program should help you to create exclude files for FS2004 using the new XML based "
      "code and the new compiler.",
      0, 240, 840, 3855, 615}},
    {nullptr,
     {IDC_Info_Label3, K::Label,
      "You may insert the coordinates by hand or using FSConnect module which imports your current "
      "location data. To import a coordinate value into any textboxes press the corresponding \"FSC\" "
      "button(s). ",
      0, 240, 1560, 3855, 855}},
    {nullptr,
     {IDC_Info_Label4, K::Label, "Zonewright supports both decimal and degrees-minutes-seconds format.", 0, 240, 2520,
      3855, 495}},
    {nullptr,
     {IDC_Info_Label5, K::Label, "Please note that you should generate code before you generate the .bgl file.", 0, 240,
      3120, 3855, 495}},
    {nullptr, {IDC_Info_Label6, K::Label, "Version 2.0", 0, 240, 480, 855, 255}},
};

}  // namespace

InfoDialog::InfoDialog(HWND mainWindow, Dpi dpi)
    : DialogWindow(mainWindow, dpi), boldFont_(CreateDialogFont(dpi, FW_BOLD)) {}

HWND InfoDialog::Open(HWND mainWindow, Dpi dpi) {
    // Owned by the main window and no app window, so it stays out of the task bar.
    return Show(std::unique_ptr<InfoDialog>(new InfoDialog(mainWindow, dpi)),
                {"InfoDialog", "Zonewright Info", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 6030, 3705});
}

bool InfoDialog::OnCreate() {
    if (!CreateControls(*this, hwnd_, kLayout, dpi_, font_.get())) return false;
    SendMessageA(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    return true;
}

void InfoDialog::Place(Dpi dpi, HFONT font) {
    PlaceControls(hwnd_, kLayout, dpi, font);
    boldFont_ = UniqueFont(CreateDialogFont(dpi, FW_BOLD));
    SendMessageA(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), TRUE);
}

// OK is IDOK, so Enter presses it as well as a click or Space.
void InfoDialog::OnCommand(int id) {
    if (id == IDOK) Close();
}
