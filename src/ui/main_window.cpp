#include "ui/main_window.h"

#include <algorithm>
#include <vector>

#include "generator/batch_shell_win32.h"
#include "generator/compile_batch.h"
#include "generator/exclusion_source.h"
#include "fslink/fsconnect_win32.h"
#include "fslink/position_capture.h"
#include "generator/save_and_compile.h"
#include "storage/cds_cini_win32.h"
#include "storage/ini_read.h"
#include "storage/program_folder.h"
#include "storage/project_file.h"
#include "storage/text_file.h"
#include "ui/check_box.h"
#include "ui/info_dialog.h"
#include "ui/layout.h"
#include "ui/options_window.h"
#include "ui/resource.h"

namespace {

const char* const kClassName = "Zonewright";
const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
const int kClientWidth = 9960;
const int kClientHeight = 7710;
const char* const kProjectFilter = "Zonewright Save Files (*.exc)|*.exc|";
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
    MakeCheckBoxNotifyChanges(DelSRC);
    SetCheckState(DelSRC, CheckState::Ticked);
    // The source view holds more than an edit control's default 32 K characters.
    SendMessageA(txtoutput, EM_SETLIMITTEXT, 0, 0);
    ShowCornerPicture(dpi);
    return true;
}

// The picture fills its place in the layout: 1500 twips square.
void MainWindow::ShowCornerPicture(Dpi dpi) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    preview_.Place(Image1, instance, TwipsToPixels(kPictureTwips, dpi.x), font_.get(), ReadExclusionArea());
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
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
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
    if (code == kCheckStateChanged) {
        if (control == Exec_All) ApplyAllObjectsRule();
        return;
    }
    if (code == EN_CHANGE) {
        // However a coordinate box changes, typed or set by the program, the preview follows it.
        const auto boxes = CoordinateBoxes();
        if (std::find(boxes.begin(), boxes.end(), control) != boxes.end()) preview_.Show(ReadExclusionArea());
        return;
    }
    switch (id) {
    case IDC_generate: Generate(); break;
    case IDC_save: SaveAndCompile(); break;
    case IDC_NW1: CapturePosition(latitudemaximum, true); break;
    case IDC_NW2: CapturePosition(longitudeminimum, false); break;
    case IDC_SE1: CapturePosition(latitudeminimum, true); break;
    case IDC_SE2: CapturePosition(longitudemaximum, false); break;
    case ID_menuNew: reset20(); break;
    case ID_menuOpen: openSaveFile(); break;
    case ID_menuSave: selectSaveFile(); break;
    case ID_menuExit: DestroyWindow(hwnd_); break;
    case ID_menuSettings: OpenDialogWindow(&OptionsWindow::Open); break;
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
    if (all == CheckState::Grayed) return;
    const auto boxes = ObjectTypeBoxes();
    for (int type = Beacon; type < ObjectTypeCount; ++type) EnableWindow(boxes[type], all == CheckState::Clear);
}

void MainWindow::reset20() {
    for (HWND box : CoordinateBoxes()) SetWindowTextA(box, "");
    for (HWND box : ObjectTypeBoxes()) SetCheckState(box, CheckState::Clear);
    SetCheckState(DelSRC, CheckState::Ticked);
    SetWindowTextA(txtoutput, "");
}

void MainWindow::AddToOutput(const std::string& aMsg) {
    const std::string line = aMsg + "\r\n";
    const int end = GetWindowTextLengthA(txtoutput);
    SendMessageA(txtoutput, EM_SETSEL, end, end);
    // The replacement leaves the caret after the new text, at the very end.
    SendMessageA(txtoutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(txtoutput, EM_SCROLLCARET, 0, 0);
}

// Loads over the current content by line position; the first missing or unusable value ends the
// loading quietly, and what was set before it stays.
void MainWindow::openSaveFile() {
    OpenFile.filter = kProjectFilter;
    if (Choose(OpenFile, false) && CanLoadProject(OpenFile.fileName, false)) LoadProjectFile(OpenFile.fileName);
}

void MainWindow::OpenProject(const std::string& path) {
    if (!CanLoadProject(path, true)) return;
    // The next File > Open starts from it, as after opening it there.
    OpenFile.fileName = path;
    LoadProjectFile(path);
}

// Whether the file is one to load. One too large for a project is told; one that cannot be read
// is told when asked (File > Open ends there quietly, as at any unreadable part of the file).
bool MainWindow::CanLoadProject(const std::string& path, bool tellUnreadable) {
    const std::error_code error = CheckProjectFile(path);
    if (!error) return true;
    if (error == Failure::FileTooLarge) {
        showMessage_(hwnd_,
                     "The project file \"" + path +
                         "\" could not be opened.\r\n\r\nIt is larger than 1 MB, which no project file is. "
                         "Nothing was loaded.",
                     kFailureIcon);
    } else if (tellUnreadable) {
        showMessage_(hwnd_, "The project file \"" + path + "\" could not be opened.\r\n\r\n" + DescribeError(error),
                     kFailureIcon);
    }
    return false;
}

// The first file dropped opens; nothing while a dialog window or a message keeps the window
// disabled, as for any other input.
void MainWindow::OnDropFiles(HDROP drop) {
    const auto queryFile = shell32_.Get<UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT)>("DragQueryFileA");
    const auto finish = shell32_.Get<void(WINAPI*)(HDROP)>("DragFinish");
    std::string path;
    if (queryFile) {
        std::vector<char> name(queryFile(drop, 0, nullptr, 0) + 1, '\0');
        if (queryFile(drop, 0, name.data(), static_cast<UINT>(name.size())) > 0) path = name.data();
    }
    if (finish) finish(drop);
    if (!queryFile || !finish) {
        showMessage_(hwnd_,
                     "The dropped file could not be taken: shell32.dll could not be loaded.\r\n\r\n" +
                         DescribeError(shell32_.error()),
                     kFailureIcon);
        return;
    }
    if (!path.empty() && IsWindowEnabled(hwnd_)) OpenProject(path);
}

void MainWindow::LoadProjectFile(const std::string& path) {
    CDS_CIni ini;
    ini.FileName(path);
    // CDS_CIni tells a failure by its result alone; the section then counts as unreadable.
    auto section = [&ini](const char* name) {
        SectionValues values;
        std::vector<std::string> keys;
        if (!ini.ReadSection(name, keys, values.value)) values.error = std::make_error_code(std::errc::io_error);
        return values;
    };
    const ProjectLoad load = LoadProject(section(kAreaSection), section(kExclusionSection), section(kOtherSection));
    const auto coordinates = CoordinateBoxes();
    for (size_t i = 0; i < load.coordinates.size(); ++i) SetWindowTextA(coordinates[i], load.coordinates[i].c_str());
    // Setting "All objects" runs its rule, as a click does.
    const auto types = ObjectTypeBoxes();
    for (size_t i = 0; i < load.objectTypes.size(); ++i) SetCheckState(types[i], load.objectTypes[i]);
    if (load.deleteSource) SetCheckState(DelSRC, *load.deleteSource);
}

// All three sections are written whatever the earlier writes gave; a failure is told afterwards.
void MainWindow::selectSaveFile() {
    selectSaveFile2.filter = kProjectFilter;
    if (!Choose(selectSaveFile2, true)) return;
    CDS_CIni ini;
    ini.FileName(selectSaveFile2.fileName);
    std::string failure;
    auto write = [&](const char* section, const std::vector<std::string>& keys, const std::vector<std::string>& values) {
        if (!ini.WriteSection(section, keys, values) && failure.empty()) failure = ini.LastErrorDescription();
    };
    std::vector<std::string> texts;
    for (HWND box : CoordinateBoxes()) texts.push_back(WindowText(box));
    write(kAreaSection, {kAreaKeys.begin(), kAreaKeys.end()}, texts);
    std::vector<std::string> states;
    for (HWND box : ObjectTypeBoxes()) states.push_back(CheckStateText(GetCheckState(box)));
    write(kExclusionSection, ExclusionKeys(), states);
    write(kOtherSection, {kDeleteSourceKey}, {CheckStateText(GetCheckState(DelSRC))});
    if (!failure.empty()) {
        showMessage_(hwnd_, "The project could not be saved completely to \"" + selectSaveFile2.fileName +
                                "\".\r\n\r\n" + failure,
                     kFailureIcon);
    }
}

ExclusionArea MainWindow::ReadExclusionArea() const {
    ExclusionArea area;
    area.latitudeMaximum = WindowText(latitudemaximum);
    area.longitudeMinimum = WindowText(longitudeminimum);
    area.latitudeMinimum = WindowText(latitudeminimum);
    area.longitudeMaximum = WindowText(longitudemaximum);
    const auto boxes = ObjectTypeBoxes();
    for (int type = All; type < ObjectTypeCount; ++type) area.objectTypes[type] = GetCheckState(boxes[type]);
    return area;
}

void MainWindow::Generate() {
    // Emptied before any check, so a failed check leaves no stale document behind.
    SetWindowTextA(txtoutput, "");
    const GeneratedSource source = GenerateExclusionSource(ReadExclusionArea());
    for (const std::string& message : source.messages) showMessage_(hwnd_, message, 0);
    for (const std::string& line : source.lines) AddToOutput(line);
    if (!source.warning.empty()) showMessage_(hwnd_, source.warning, MB_ICONWARNING);
}

// While a compile runs, its batch file must stay as it is: a shell reads a batch file line by
// line from where it stopped, so a new text under it would run as fragments.
void MainWindow::SaveAndCompile() {
    if (compile_) {
        showMessage_(hwnd_, kCompilerStillRunningMessage, MB_ICONINFORMATION);
        return;
    }
    cdbWordProc.filter = "XML Files (*.xml)|*.xml|All Files (*.*)|*.*| ";
    if (!Choose(cdbWordProc, true)) return;
    HWND window = hwnd_;
    Result<std::unique_ptr<Compile>> saved = SaveSourceAndCompile(
        cdbWordProc.fileName, WindowText(txtoutput), GetCheckState(DelSRC) == CheckState::Ticked,
        [window] { PostMessageA(window, kCompileEnded, 0, 0); }, CommandShell());
    if (saved.error) showMessage_(hwnd_, saved.report, kFailureIcon);
    compile_ = std::move(saved.value);
}

void MainWindow::OnCompileEnded() {
    if (!compile_ || !compile_->shell || !compile_->shell->ended.load(std::memory_order_acquire)) return;
    const std::unique_ptr<Compile> ended = std::move(compile_);
    const Result<Done> finished = FinishCompile(*ended);
    if (finished.error) showMessage_(hwnd_, finished.report, kFailureIcon);
}

void MainWindow::CapturePosition(HWND box, bool latitude) {
    // While FSConnect is asked the window takes no input: once an answer is slow in coming, the
    // wait cursor says so (a quick one would only make it flicker).
    HCURSOR previous = nullptr;
    bool waiting = false;
    Win32FscPlatform platform([&] {
        previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        waiting = true;
    });
    FscClient client(platform, [&](const std::string& fault) {
        if (waiting) SetCursor(previous);
        waiting = false;
        showMessage_(hwnd_, fault, MB_ICONSTOP);
    });
    const Result<std::string> degrees =
        ::CapturePosition(client, latitude ? Coordinate::Latitude : Coordinate::Longitude);
    if (waiting) SetCursor(previous);
    if (!degrees.error) {
        SetWindowTextA(box, degrees.value.c_str());
    } else {
        showMessage_(hwnd_, kCaptureFailedMessage, 0);
    }
}

bool MainWindow::Choose(FileDialog& dialog, bool save) {
    const Result<bool> chosen = save ? dialog.ShowSave(hwnd_) : dialog.ShowOpen(hwnd_);
    if (chosen.error) showMessage_(hwnd_, chosen.report, kFailureIcon);
    return chosen.value;
}

void MainWindow::OpenDialogWindow(HWND (*open)(HWND mainWindow, Dpi dpi)) {
    EnableWindow(hwnd_, FALSE);
    if (!open(hwnd_, dpiOf_(hwnd_))) EnableWindow(hwnd_, TRUE);
}
