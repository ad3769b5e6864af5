#include "ui/main_window.h"

#include <algorithm>
#include <vector>

#include "generator/batch_shell_win32.h"
#include "generator/compile_batch.h"
#include "generator/exclusion_source.h"
#include "generator/save_and_compile.h"
#include "storage/ini_read.h"
#include "storage/program_folder.h"
#include "ui/capture_button.h"
#include "ui/check_box.h"
#include "ui/info_dialog.h"
#include "ui/layout.h"
#include "ui/map_command.h"
#include "ui/options_window.h"
#include "ui/pair_paste.h"
#include "ui/resource.h"

namespace {

const char* const kClassName = "Zonewright";
const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
const int kClientWidth = 9960;
const int kClientHeight = 7710;
const int kPictureTwips = 1500;
// Posted by the thread that watches a compile once the compiler has ended.
const UINT kCompileEnded = WM_APP + 1;

using K = ControlKind;
using W = MainWindow;

// Rows in tab order, which is also the stacking order: txtoutput lies above Frame3.
const ControlRow<W> kLayout[] = {
    {nullptr, {IDC_Frame1, K::Frame, "Exclusion area", 0, 120, 120, 7335, 3015}},
    {&W::latitudemaximum, {IDC_latitudemaximum, K::TextBox, "", IDC_Frame1, 480, 680, 1575, 285}},
    {&W::Label1, {IDC_Label1, K::Label, "Northwest point", IDC_Frame1, 120, 360, 1455, 255}},
    {&W::longitudeminimum, {IDC_longitudeminimum, K::TextBox, "", IDC_Frame1, 480, 1040, 1575, 285}},
    {nullptr, {IDC_Label2, K::Label, "Lat:", IDC_Frame1, 120, 720, 615, 255}},
    {nullptr, {IDC_Label3, K::Label, "Lon:", IDC_Frame1, 120, 1080, 735, 255}},
    {nullptr, {IDC_Label4, K::Label, "Lat:", IDC_Frame1, 4560, 2160, 375, 255}},
    {nullptr, {IDC_Label5, K::Label, "Lon:", IDC_Frame1, 4560, 2520, 495, 255}},
    {nullptr, {IDC_Label6, K::Label, "Southeast point", IDC_Frame1, 4560, 1800, 1215, 255}},
    {&W::latitudeminimum, {IDC_latitudeminimum, K::TextBox, "", IDC_Frame1, 4920, 2120, 1575, 285}},
    {&W::longitudemaximum, {IDC_longitudemaximum, K::TextBox, "", IDC_Frame1, 4920, 2480, 1575, 285}},
    {nullptr, {IDC_Frame2, K::Frame, "Exclusion type", 0, 7560, 120, 2295, 3015}},
    {&W::Exec_All, {IDC_Exec_All, K::CheckBox, "All objects", IDC_Frame2, 240, 360, 1095, 195}},
    {&W::Exec_Beacon, {IDC_Exec_Beacon, K::CheckBox, "Beacon objects", IDC_Frame2, 480, 720, 1455, 195}},
    {&W::Exec_Effects, {IDC_Exec_Effects, K::CheckBox, "Effects", IDC_Frame2, 480, 960, 855, 195}},
    {&W::Exec_GenBuild, {IDC_Exec_GenBuild, K::CheckBox, "Generic buildings", IDC_Frame2, 480, 1200, 1575, 195}},
    {&W::Exec_Library, {IDC_Exec_Library, K::CheckBox, "Library objects", IDC_Frame2, 480, 1440, 1335, 195}},
    {&W::Exec_TaxiSigns, {IDC_Exec_TaxiSigns, K::CheckBox, "Taxiway signs", IDC_Frame2, 480, 1680, 1335, 195}},
    {&W::Exec_Triggers, {IDC_Exec_Triggers, K::CheckBox, "Trigger objects", IDC_Frame2, 480, 1920, 1455, 195}},
    {&W::Exec_Windsocks, {IDC_Exec_Windsocks, K::CheckBox, "Windsocks", IDC_Frame2, 480, 2160, 1095, 195}},
    {nullptr, {IDC_generate, K::PushButton, "Generate source code", 0, 6960, 3840, 2655, 375}},
    {&W::txtoutput, {IDC_txtoutput, K::SourceView, "", 0, 240, 3480, 6255, 3975}},
    {nullptr, {IDC_save, K::PushButton, "Save source and generate .bgl", 0, 6960, 4320, 2655, 375}},
    {nullptr, {IDC_lblAreas, K::Label, "Areas", 0, 6960, 4800, 2655, 195}},
    {&W::lstAreas, {IDC_lstAreas, K::List, "", 0, 6960, 5040, 2655, 1455}},
    {nullptr, {IDC_cmdAddArea, K::PushButton, "Add area", 0, 6960, 6600, 1275, 375}},
    {&W::cmdRemoveArea, {IDC_cmdRemoveArea, K::PushButton, "Remove area", 0, 8340, 6600, 1275, 375}},
    {&W::Label7,
     {IDC_Label7, K::Label, "Zonewright 2.0 for FS2004\r\nCoordinates: decimal or DMS", 0, 6960, 7200, 2655, 495}},
    {nullptr, {IDC_NW1, K::PushButton, "FSC", IDC_Frame1, 2160, 680, 495, 255}},
    {nullptr, {IDC_NW2, K::PushButton, "FSC", IDC_Frame1, 2160, 1040, 495, 255}},
    {nullptr, {IDC_SE1, K::PushButton, "FSC", IDC_Frame1, 6600, 2120, 495, 255}},
    {nullptr, {IDC_SE2, K::PushButton, "FSC", IDC_Frame1, 6600, 2480, 495, 255}},
    {&W::DelSRC, {IDC_DelSRC, K::CheckBox, "Delete source after compilation?", 0, 6960, 3360, 2655, 255}},
    {nullptr, {IDC_Frame3, K::Frame, "Source code", 0, 120, 3240, 6495, 4335}},
    {&W::Image1, {IDC_Image1, K::Picture, nullptr, IDC_Frame1, 2880, 960, kPictureTwips, kPictureTwips}},
};

}  // namespace

MainWindow::MainWindow(MessageSink showMessage, DpiOfWindow dpiOf)
    : showMessage_(std::move(showMessage)), dpiOf_(dpiOf) {}

// The window is sized and laid out while hidden, for the DPI of the monitor it is on, which may
// differ from the system's that it was created at; it shows once it is complete.
bool MainWindow::Load(HINSTANCE instance) {
    if (!Register(instance, kClassName, COLOR_BTNFACE, IDI_ZONEWRIGHT)) return false;
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
    // Files dropped on the window open as projects. The style is what DragAcceptFiles would set,
    // without loading shell32 at start-up.
    if (!CreateWindowExA(WS_EX_ACCEPTFILES, kClassName, "Zonewright", kStyle, 0, 0, 0, 0, nullptr, menu, instance,
                         this)) {
        if (menu) DestroyMenu(menu);
        return false;
    }
    const Dpi dpi = dpiOf_(hwnd_);
    SizeAndCentre(hwnd_, kClientWidth, kClientHeight, dpi);
    if (!CreateContent(dpi)) {
        DestroyWindow(hwnd_);
        return false;
    }
    CheckCompilerSetting();
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    SetFocus(latitudemaximum);
    return true;
}

void MainWindow::CheckCompilerSetting() {
    // A folder the program cannot name holds no settings it could read: that is told instead.
    if (const std::string fault = ProgramFolderFault(); !fault.empty()) {
        showMessage_(nullptr, fault, kFailureIcon);
        return;
    }
    // A settings file that can be neither created nor read counts as holding no value.
    const Result<std::string> setting = ReadIniValue(SettingsFilePath(), kSettingsSection, kCompilerKey);
    if (setting.error || setting.value.empty()) showMessage_(nullptr, kDefineCompilerMessage, 0);
}

bool MainWindow::CreateContent(Dpi dpi) {
    font_ = UniqueFont(CreateDialogFont(dpi, FW_NORMAL));
    if (!CreateControls(*this, hwnd_, kLayout, dpi, font_.get())) return false;
    for (HWND box : ObjectTypeBoxes()) MakeCheckBoxNotifyChanges(box);
    // A latitude and a longitude pasted together fill both boxes of their corner, as they stand,
    // each to be undone in its box as a paste is.
    const auto boxes = CoordinateBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const HWND corner[] = {boxes[i & 2], boxes[(i & 2) + 1]};
        MakePastedPairsFillCorner(boxes[i], [corner](const CoordinatePair& pair) {
            for (const auto& [box, text] : {std::pair(corner[0], &pair.latitude), std::pair(corner[1], &pair.longitude)}) {
                SendMessageA(box, EM_SETSEL, 0, -1);
                SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
            }
        });
    }
    MakeCheckBoxNotifyChanges(DelSRC);
    SetCheckState(DelSRC, CheckState::Ticked);
    // The source view holds more than an edit control's default 32 K characters.
    SendMessageA(txtoutput, EM_SETLIMITTEXT, 0, 0);
    areaList_.Attach(lstAreas, cmdRemoveArea);
    areaList_.Show(document_);
    ShowCornerPicture(dpi);
    preview_.WhenClicked([this](size_t area) { SelectArea(area); });
    return true;
}

// The picture fills its place in the layout: 1500 twips square.
void MainWindow::ShowCornerPicture(Dpi dpi) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    preview_.Place(Image1, instance, TwipsToPixels(kPictureTwips, dpi.x), font_.get(), document_);
}

// Moved to a monitor of another DPI: everything laid out again from the twips, with a font of
// the new size, in the rectangle Windows suggests.
void MainWindow::OnDpiChanged(Dpi dpi, const RECT& suggested) {
    UniqueFont font(CreateDialogFont(dpi, FW_NORMAL));
    PlaceControls(hwnd_, kLayout, dpi, font.get());
    font_ = std::move(font);
    ShowCornerPicture(dpi);
    MoveTo(hwnd_, suggested);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_CTLCOLORSTATIC: return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE: KeepFocusOnActivate(hwnd_, wParam, savedFocus_); return 0;
    case kCompileEnded: OnCompileEnded(); return 0;
    case WM_DROPFILES: ShowOpened(files_.OpenDropped(hwnd_, reinterpret_cast<HDROP>(wParam), document_)); return 0;
    case WM_DPICHANGED: OnDpiChanged(DpiOfMessage(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

LRESULT MainWindow::OnColorStatic(HDC dc, HWND control) {
    if (control != Label1 && control != Label7) {
        return DefWindowProcA(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    }
    SetTextColor(dc, control == Label7 ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && IsThreeStateCheckBox(control)) {
        ToggleCheckState(control);
        return;
    }
    if (code == kCheckStateChanged) return OnCheckStateChanged(control);
    if (code == EN_CHANGE) return OnCoordinateChanged(control);
    if (control == lstAreas) {
        if (code == LBN_SELCHANGE) SelectArea(areaList_.Selected());
        return;
    }
    switch (id) {
    case IDC_generate: Generate(); break;
    case IDC_save: SaveAndCompile(); break;
    case IDC_cmdAddArea: AddArea(); break;
    case IDC_cmdRemoveArea: RemoveArea(); break;
    case IDC_NW1: CapturePosition(latitudemaximum, Coordinate::Latitude); break;
    case IDC_NW2: CapturePosition(longitudeminimum, Coordinate::Longitude); break;
    case IDC_SE1: CapturePosition(latitudeminimum, Coordinate::Latitude); break;
    case IDC_SE2: CapturePosition(longitudemaximum, Coordinate::Longitude); break;
    case ID_menuNew: reset20(); break;
    case ID_menuOpen: openSaveFile(); break;
    case ID_menuSave: selectSaveFile(); break;
    case ID_menuExit: DestroyWindow(hwnd_); break;
    case ID_menuSettings: OpenDialogWindow(&OptionsWindow::Open); break;
    case ID_menuMap: ShowOnMap(hwnd_, document_, showMessage_); break;
    case ID_help: OpenDialogWindow(&InfoDialog::Open); break;
    default: break;
    }
}

std::array<HWND, ObjectTypeCount> MainWindow::ObjectTypeBoxes() const {
    return {Exec_All, Exec_Beacon, Exec_Effects, Exec_GenBuild, Exec_Library, Exec_TaxiSigns, Exec_Triggers,
            Exec_Windsocks};
}

std::array<HWND, 4> MainWindow::CoordinateBoxes() const {
    return {latitudemaximum, longitudeminimum, latitudeminimum, longitudemaximum};
}

void MainWindow::ApplyAllObjectsRule() {
    const CheckState all = GetCheckState(Exec_All);
    if (all != CheckState::Grayed) EnableSingleTypes(all == CheckState::Clear);
}

void MainWindow::EnableSingleTypes(bool enabled) {
    const auto boxes = ObjectTypeBoxes();
    for (int type = Beacon; type < ObjectTypeCount; ++type) EnableWindow(boxes[type], enabled);
}

// However a box changes, clicked or set by the program, "All objects" applies its rule; a change
// the user made goes into the document.
void MainWindow::OnCheckStateChanged(HWND box) {
    if (box == Exec_All) ApplyAllObjectsRule();
    if (showingArea_) return;
    if (box == DelSRC) {
        document_.deleteSource = GetCheckState(DelSRC);
        return;
    }
    const auto boxes = ObjectTypeBoxes();
    const auto type = std::find(boxes.begin(), boxes.end(), box);
    if (type == boxes.end()) return;
    SelectedArea(document_).objectTypes[type - boxes.begin()] = GetCheckState(box);
    areaList_.ShowArea(document_, document_.selected);
}

void MainWindow::OnCoordinateChanged(HWND box) {
    if (showingArea_) return;
    ExclusionArea& area = SelectedArea(document_);
    std::string* const texts[] = {&area.latitudeMaximum, &area.longitudeMinimum, &area.latitudeMinimum,
                                  &area.longitudeMaximum};
    const auto boxes = CoordinateBoxes();
    const auto coordinate = std::find(boxes.begin(), boxes.end(), box);
    if (coordinate == boxes.end()) return;
    *texts[coordinate - boxes.begin()] = WindowText(box);
    areaList_.ShowArea(document_, document_.selected);
    preview_.Show(document_);
}

// In the order the boxes are reset: the coordinates, "All objects" (whose rule then applies),
// the seven single types.
void MainWindow::ShowSelectedArea() {
    const ExclusionArea& area = SelectedArea(document_);
    showingArea_ = true;
    const std::string* const texts[] = {&area.latitudeMaximum, &area.longitudeMinimum, &area.latitudeMinimum,
                                        &area.longitudeMaximum};
    const auto boxes = CoordinateBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) SetWindowTextA(boxes[i], texts[i]->c_str());
    const auto types = ObjectTypeBoxes();
    for (size_t i = 0; i < types.size(); ++i) SetCheckState(types[i], area.objectTypes[i]);
    showingArea_ = false;
    preview_.Show(document_);
}

void MainWindow::ShowDocument(ExclusionDocument document) {
    document_ = std::move(document);
    areaList_.Show(document_);
    ShowSelectedArea();
    showingArea_ = true;
    SetCheckState(DelSRC, document_.deleteSource);
    showingArea_ = false;
}

void MainWindow::ShowOpened(std::optional<OpenedFile> opened) {
    if (!opened) return;
    ShowDocument(std::move(opened->document));
    if (opened->emptiesSourceView) SetWindowTextA(txtoutput, "");
    if (!opened->note.empty()) showMessage_(hwnd_, opened->note, MB_ICONINFORMATION);
}

void MainWindow::SelectArea(size_t index) {
    if (index >= document_.areas.size()) return;
    areaList_.Select(index);
    if (index == document_.selected) return;
    document_.selected = index;
    ShowAnotherArea();
}

// A grey "All objects" leaves the seven as they are: the area shown before is not to decide.
void MainWindow::ShowAnotherArea() {
    if (SelectedArea(document_).objectTypes[All] == CheckState::Grayed) EnableSingleTypes(true);
    ShowSelectedArea();
}

void MainWindow::AddArea() {
    ::AddArea(document_);
    areaList_.Show(document_);
    ShowSelectedArea();
    SetFocus(latitudemaximum);
}

// Corners typed are work: their loss is asked about first.
void MainWindow::RemoveArea() {
    if (document_.areas.size() < 2) return;
    if (HoldsCoordinateText(SelectedArea(document_)) &&
        showMessage_(hwnd_, "Remove area " + std::to_string(document_.selected + 1) + "? Its corners are lost.",
                     MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    RemoveSelectedArea(document_);
    areaList_.Show(document_);
    ShowAnotherArea();
    // The button, disabled once one area is left, would keep a focus that goes nowhere.
    if (!IsWindowEnabled(cmdRemoveArea) && (!GetFocus() || GetFocus() == cmdRemoveArea)) SetFocus(lstAreas);
}

void MainWindow::reset20() {
    ShowDocument(ExclusionDocument{});
    SetWindowTextA(txtoutput, "");
}

// In one step, however long the document: the view lays its text out once.
void MainWindow::AddToOutput(const std::string& aMsg) {
    const std::string line = aMsg + "\r\n";
    const int end = GetWindowTextLengthA(txtoutput);
    SendMessageA(txtoutput, EM_SETSEL, end, end);
    // The replacement leaves the caret after the new text, at the very end.
    SendMessageA(txtoutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(txtoutput, EM_SCROLLCARET, 0, 0);
}

void MainWindow::openSaveFile() {
    ShowOpened(files_.Open(hwnd_, document_));
}

void MainWindow::OpenProject(const std::string& path) {
    ShowOpened(files_.OpenNamed(hwnd_, path, document_));
}

void MainWindow::selectSaveFile() {
    files_.Save(hwnd_, document_);
}

// The first area that cannot be written is selected, for the messages are about it.
void MainWindow::Generate() {
    // Emptied before any check, so a failed check leaves no stale document behind.
    SetWindowTextA(txtoutput, "");
    const GeneratedSource source = GenerateExclusionSource(document_);
    if (!source.messages.empty()) SelectArea(source.failedArea);
    for (const std::string& message : source.messages) showMessage_(hwnd_, message, 0);
    if (source.lines.empty()) return;
    std::string text;
    for (const std::string& line : source.lines) text += (text.empty() ? "" : "\r\n") + line;
    AddToOutput(text);
    if (!source.warning.empty()) showMessage_(hwnd_, source.warning, MB_ICONWARNING);
}

// While a compile runs, its batch file must stay as it is: a shell reads a batch file line by
// line from where it stopped, so a new text under it would run as fragments.
void MainWindow::SaveAndCompile() {
    if (compile_) {
        showMessage_(hwnd_, kCompilerStillRunningMessage, MB_ICONINFORMATION);
        return;
    }
    const std::optional<std::string> xmlPath = files_.AskSourceName(hwnd_);
    if (!xmlPath) return;
    Result<std::unique_ptr<Compile>> saved = SaveSourceAndCompile(
        *xmlPath, WindowText(txtoutput), document_.deleteSource == CheckState::Ticked,
        [window = hwnd_] { PostMessageA(window, kCompileEnded, 0, 0); }, CommandShell());
    if (saved.error) showMessage_(hwnd_, saved.report, kFailureIcon);
    compile_ = std::move(saved.value);
}

void MainWindow::OnCompileEnded() {
    if (!compile_ || !compile_->shell || !compile_->shell->ended.load(std::memory_order_acquire)) return;
    const std::unique_ptr<Compile> ended = std::move(compile_);
    const Result<Done> finished = FinishCompile(*ended);
    if (finished.error) showMessage_(hwnd_, finished.report, kFailureIcon);
}

void MainWindow::CapturePosition(HWND box, Coordinate coordinate) {
    if (const std::optional<std::string> degrees = CapturedPosition(hwnd_, coordinate, showMessage_)) {
        SetWindowTextA(box, degrees->c_str());
    }
}

void MainWindow::OpenDialogWindow(HWND (*open)(HWND mainWindow, Dpi dpi)) {
    EnableWindow(hwnd_, FALSE);
    if (!open(hwnd_, dpiOf_(hwnd_))) EnableWindow(hwnd_, TRUE);
}
