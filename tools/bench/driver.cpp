// The driver of scripts/bench and scripts/screenshot. It runs under Wine beside the programs it
// starts, so it times them with Windows' own clock and windows, not Wine's start-up around them.
//
//   bench_driver startup RUNS EXE CLASS [EXE CLASS ...]
//       Starts each program RUNS times (after one start that is not counted), in turn, and
//       times the start until a visible top-level window of that class; reads the working set
//       and the DLLs loaded half a second later, then closes the window. With two programs, also
//       the median of the ratios of the first's time to the second's, run by run.
//   bench_driver capture RUNS ZONEWRIGHT_EXE SIMULATOR_EXE LATITUDE LONGITUDE
//       Starts the FSConnect simulator at that position and Zonewright, then times the first
//       capture button (northwest latitude): the click, sent to the main window, until the
//       program has handled it and its box holds text.
//   bench_driver capture-silent RUNS ZONEWRIGHT_EXE SIMULATOR_EXE
//       The same against a simulator that never answers: times the click until the program
//       shows its message, which it closes again.
//   bench_driver generate RUNS ZONEWRIGHT_EXE CHARACTERS
//       Fills the four coordinate boxes with that many characters each, ticks the seven object
//       types, and times Generate from the posted click until the source view holds the document.
//   bench_driver type RUNS ZONEWRIGHT_EXE
//       Types the sample area, then times keystrokes into the southeast longitude box, a digit
//       added and taken away again RUNS times, each sent as WM_CHAR until the program has handled
//       it, the preview drawn afresh; then the same with the northwest latitude empty, where the
//       picture keeps showing the corner diagram.
//   bench_driver areas RUNS ZONEWRIGHT_EXE COUNT FOLDER
//       Writes a project of COUNT areas into FOLDER and starts Zonewright with it, then times, on
//       that document: File > Open of it (from the posted OK of the dialog until the area list
//       holds every line), selecting an area in the list, a keystroke in a coordinate box,
//       Generate (from the posted click until the source view holds the document), File > Save
//       under a new name (from the posted OK until the file is there) and, in the driver itself,
//       setting the same document into an edit control of the source view's style at once.
//   bench_driver answer
//       Answers the start-up message of a Zonewright already running ("ZonewrightV2") with OK,
//       as a user would, and waits until its main window is shown.
//   bench_driver show ZONEWRIGHT_EXE
//       Starts Zonewright, types a sample area, ticks two object types, adds a second area beside
//       it with another type, generates, and prints the main window's rectangle; leaves the
//       program running for a screenshot.
//
// Results go to standard output as key=value lines; a failure is one line on standard error
// and exit code 1. Every wait has a deadline; programs started here are closed (or ended)
// before the driver ends, except the one "show" leaves for the screenshot.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "generator/exclusion_source.h"
#include "storage/project_file.h"
#include "ui/resource.h"

namespace {

constexpr DWORD kWindowDeadlineMs = 20000;
constexpr DWORD kWorkDeadlineMs = 60000;
constexpr UINT kSendTimeoutMs = 10000;
constexpr DWORD kSettleMs = 500;
const char* const kMainClass = "Zonewright";
const char* const kSimulatorClass = "FSCONNECT8";

struct Fault {
    std::string what;
};

[[noreturn]] void Fail(const std::string& what) { throw Fault{what}; }

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Join(const std::vector<double>& values) {
    std::string text;
    char number[32];
    for (double value : values) {
        std::snprintf(number, sizeof number, "%.2f", value);
        if (!text.empty()) text += ",";
        text += number;
    }
    return text;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer)) {
        Fail("the program did not answer message " + std::to_string(message) + " in time");
    }
    return static_cast<LRESULT>(answer);
}

std::string GetText(HWND control) {
    const LRESULT length = Send(control, WM_GETTEXTLENGTH);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const LRESULT copied = Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<size_t>(copied));
}

void SetText(HWND control, const std::string& text) {
    if (!Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) Fail("a text could not be set");
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A visible top-level window of this class that belongs to the process, or nullptr.
HWND FindVisibleWindow(DWORD processId, const char* className) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// A message box the process shows, as its text; "" when there is none.
std::string MessageBoxText(DWORD processId) {
    HWND box = FindVisibleWindow(processId, "#32770");
    if (!box) return "";
    HWND text = GetDlgItem(box, 0xFFFF);
    const std::string said = text ? GetText(text) : "";
    return said.empty() ? "(a window of class #32770)" : said;
}

class Process {
public:
    // Starts the program in its own folder.
    Process(const std::string& exe, const std::string& arguments = "") {
        std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
        const std::string folder = exe.substr(0, exe.find_last_of('\\'));
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
            Fail("could not start " + exe + " (error " + std::to_string(GetLastError()) + ")");
        }
        CloseHandle(info_.hThread);
        info_.hThread = nullptr;
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (info_.hProcess) End();
    }

    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

    // Polls every millisecond for a visible window of the class; fails at the deadline, when the
    // process ends, or when it shows a message box instead.
    HWND WaitForWindow(const char* className, DWORD deadlineMs = kWindowDeadlineMs) const {
        const double deadline = NowMs() + deadlineMs;
        for (;;) {
            if (HWND window = FindVisibleWindow(id(), className)) return window;
            if (!Running()) Fail(std::string("the program ended before showing a window of class ") + className);
            if (NowMs() > deadline) {
                const std::string box = MessageBoxText(id());
                Fail(std::string("no window of class ") + className + " in time" +
                     (box.empty() ? "" : "; the program shows the message \"" + box + "\""));
            }
            Sleep(1);
        }
    }

    // The window, once the program has made its content and waits for input: Zonewright shows
    // its window before it makes the controls.
    HWND WaitForReady(const char* className) const {
        HWND window = WaitForWindow(className);
        if (WaitForInputIdle(info_.hProcess, kWindowDeadlineMs) != 0) Fail("the program did not become ready");
        return window;
    }

    // Leaves the program running: the driver only lets go of it.
    void Release() {
        CloseHandle(info_.hProcess);
        info_.hProcess = nullptr;
    }

    // Asks every visible window of the process to close; ends it when that does not end it in time.
    void End() {
        if (HWND box = FindVisibleWindow(id(), "#32770")) PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (const char* className : {kMainClass, kSimulatorClass, "ZonewrightBenchEmpty"}) {
            if (HWND window = FindVisibleWindow(id(), className)) PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        info_.hProcess = nullptr;
    }

private:
    PROCESS_INFORMATION info_ = {};
};

// Fails when the program shows a message box: a figure taken over one would mean nothing.
void CheckNoMessageBox(const Process& process) {
    const std::string box = MessageBoxText(process.id());
    if (!box.empty()) Fail("the program shows the message \"" + box + "\"");
}

// Posts BN_CLICKED for the control to the main window, as a click does.
void PostClick(HWND main, int id) {
    HWND control = GetDlgItem(main, id);
    if (!control) Fail("no control " + std::to_string(id) + " in the main window");
    if (!PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control))) {
        Fail("could not post a click");
    }
}

// Waits until the box's text length satisfies the condition; its time in milliseconds.
template <class Condition>
double WaitForLength(const Process& process, HWND box, double start, Condition condition) {
    const double deadline = start + kWorkDeadlineMs;
    for (;;) {
        if (condition(Send(box, WM_GETTEXTLENGTH))) return NowMs() - start;
        CheckNoMessageBox(process);
        if (NowMs() > deadline) Fail("the text did not arrive in time");
        Sleep(1);
    }
}

// The DLLs loaded into the process, lower case, sorted, without the program itself.
std::string LoadedDlls(HANDLE process) {
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    if (!K32EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                               &needed)) {
        Fail("could not list the loaded DLLs (error " + std::to_string(GetLastError()) + ")");
    }
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::string> names;
    for (HMODULE module : modules) {
        char name[MAX_PATH];
        const DWORD length = K32GetModuleBaseNameA(process, module, name, MAX_PATH);
        std::string lower(name, length);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".dll") == 0) names.push_back(lower);
    }
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
}

int Startup(int runs, const std::vector<std::string>& args) {
    struct Program {
        std::string exe, className;
        std::vector<double> times, readyTimes, workingSets;
        std::string dlls;
    };
    std::vector<Program> programs;
    for (size_t i = 0; i + 1 < args.size(); i += 2) programs.push_back({args[i], args[i + 1], {}, {}, {}, {}});
    if (programs.empty()) Fail("startup needs EXE CLASS pairs");
    for (int round = 0; round <= runs; ++round) {
        for (Program& program : programs) {
            const double start = NowMs();
            Process process(program.exe);
            process.WaitForWindow(program.className.c_str());
            const double elapsed = NowMs() - start;
            // Ready: the window painted and the program waiting for input.
            if (WaitForInputIdle(process.handle(), kWindowDeadlineMs) != 0) Fail("the program did not become idle");
            const double ready = NowMs() - start;
            Sleep(kSettleMs);
            PROCESS_MEMORY_COUNTERS memory = {};
            memory.cb = sizeof memory;
            if (!K32GetProcessMemoryInfo(process.handle(), &memory, sizeof memory)) {
                Fail("could not read the working set (error " + std::to_string(GetLastError()) + ")");
            }
            if (program.dlls.empty()) program.dlls = LoadedDlls(process.handle());
            process.End();
            if (round == 0) continue;  // the first start fills Wine's caches
            program.times.push_back(elapsed);
            program.readyTimes.push_back(ready);
            program.workingSets.push_back(static_cast<double>(memory.WorkingSetSize) / 1024.0);
        }
    }
    for (size_t i = 0; i < programs.size(); ++i) {
        std::printf("program%zu_startup_ms=%.2f\n", i + 1, Median(programs[i].times));
        std::printf("program%zu_startup_ms_runs=%s\n", i + 1, Join(programs[i].times).c_str());
        std::printf("program%zu_ready_ms=%.2f\n", i + 1, Median(programs[i].readyTimes));
        std::printf("program%zu_ready_ms_runs=%s\n", i + 1, Join(programs[i].readyTimes).c_str());
        std::printf("program%zu_working_set_kb=%.0f\n", i + 1, Median(programs[i].workingSets));
        std::printf("program%zu_dlls=%s\n", i + 1, programs[i].dlls.c_str());
    }
    if (programs.size() == 2) {
        std::vector<double> ratios;
        for (size_t run = 0; run < programs[0].times.size(); ++run) {
            ratios.push_back(programs[0].times[run] / programs[1].times[run]);
        }
        std::printf("startup_ratio=%.3f\n", Median(ratios));
    }
    return 0;
}

int Capture(int runs, const std::string& zonewright, const std::string& simulator, const std::string& latitude,
            const std::string& longitude) {
    if (FindWindowA(kSimulatorClass, nullptr)) Fail("another FSConnect window is open already");
    Process sim(simulator, "--lat " + latitude + " --lon " + longitude);
    sim.WaitForWindow(kSimulatorClass);
    Process program(zonewright);
    HWND main = program.WaitForReady(kMainClass);
    HWND box = GetDlgItem(main, IDC_latitudemaximum);
    std::vector<double> times;
    std::string text;
    HWND button = GetDlgItem(main, IDC_NW1);
    for (int round = 0; round <= runs; ++round) {
        SetText(box, "");
        // Sent, not posted: the call returns once the program has handled the click, text and
        // all, so no polling stands between the capture and the clock.
        const double start = NowMs();
        Send(main, WM_COMMAND, MAKEWPARAM(IDC_NW1, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        const double elapsed = NowMs() - start;
        CheckNoMessageBox(program);
        text = GetText(box);
        if (text.empty()) Fail("the capture wrote nothing");
        if (round > 0) times.push_back(elapsed);
    }
    std::printf("capture_ms=%.2f\n", Median(times));
    std::printf("capture_ms_runs=%s\n", Join(times).c_str());
    std::printf("capture_text=%s\n", text.c_str());
    return 0;
}

int CaptureSilent(int runs, const std::string& zonewright, const std::string& simulator) {
    if (FindWindowA(kSimulatorClass, nullptr)) Fail("another FSConnect window is open already");
    Process sim(simulator, "--hang");
    sim.WaitForWindow(kSimulatorClass);
    Process program(zonewright);
    HWND main = program.WaitForReady(kMainClass);
    std::vector<double> times;
    for (int round = 0; round < runs; ++round) {
        const double start = NowMs();
        PostClick(main, IDC_NW1);
        HWND box = nullptr;
        while (!(box = FindVisibleWindow(program.id(), "#32770"))) {
            if (NowMs() > start + kWorkDeadlineMs) Fail("no message came");
            Sleep(1);
        }
        times.push_back(NowMs() - start);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box)) {
            if (NowMs() > start + kWorkDeadlineMs) Fail("the message did not close");
            Sleep(1);
        }
    }
    std::printf("capture_silent_ms=%.2f\n", Median(times));
    std::printf("capture_silent_ms_runs=%s\n", Join(times).c_str());
    return 0;
}

int Generate(int runs, const std::string& zonewright, int characters) {
    Process program(zonewright);
    HWND main = program.WaitForReady(kMainClass);
    // Decimal and degrees-minutes-seconds pieces with the characters the XML escapes.
    const std::string piece = "47.4520 N47 27' 07.2\" & <-122.3160> ";
    std::string coordinate;
    while (coordinate.size() < static_cast<size_t>(characters)) coordinate += piece;
    coordinate.resize(static_cast<size_t>(characters));
    for (int id : {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum}) {
        HWND box = GetDlgItem(main, id);
        SetText(box, coordinate);
        if (Send(box, WM_GETTEXTLENGTH) != characters) Fail("a coordinate box did not take the whole text");
    }
    for (int id = IDC_Exec_Beacon; id <= IDC_Exec_Windsocks; ++id) Send(GetDlgItem(main, id), BM_SETCHECK, BST_CHECKED);
    HWND view = GetDlgItem(main, IDC_txtoutput);

    // The first run learns the document's length; the timed runs wait for that length.
    SetText(view, "");
    PostClick(main, IDC_generate);
    WaitForLength(program, view, NowMs(), [](LRESULT length) { return length > 0; });
    const std::string document = GetText(view);
    if (!EndsWith(document, "</FSData>\r\n")) Fail("the source view does not end with the document's end");
    const LRESULT length = static_cast<LRESULT>(document.size());

    std::vector<double> times;
    for (int round = 1; round <= runs; ++round) {
        SetText(view, "");
        const double start = NowMs();
        PostClick(main, IDC_generate);
        times.push_back(WaitForLength(program, view, start, [length](LRESULT now) { return now == length; }));
    }
    if (GetText(view) != document) Fail("the last document differs from the first");
    std::printf("generate_ms=%.2f\n", Median(times));
    std::printf("generate_ms_runs=%s\n", Join(times).c_str());
    std::printf("generate_input_chars=%d\n", characters);
    std::printf("generate_document_chars=%ld\n", static_cast<long>(length));
    return 0;
}

// Types an area, northwest corner then southeast corner, latitude before longitude.
void TypeArea(HWND main, std::initializer_list<const char*> texts) {
    const int boxes[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum};
    const int* box = boxes;
    for (const char* text : texts) SetText(GetDlgItem(main, *box++), text);
}

// The runways of Seattle-Tacoma.
void TypeSampleArea(HWND main) {
    TypeArea(main, {"47.4650", "-122.3170", "47.4300", "-122.2980"});
}

int TypeKeys(int runs, const std::string& zonewright) {
    Process program(zonewright);
    HWND main = program.WaitForReady(kMainClass);
    TypeSampleArea(main);
    HWND box = GetDlgItem(main, IDC_longitudemaximum);
    const std::string text = GetText(box);
    // Medians of the keystrokes, the first round not counted; the text must come out as it went in.
    auto keystrokes = [&] {
        Send(box, EM_SETSEL, text.size(), text.size());
        std::vector<double> times;
        for (int round = 0; round <= runs; ++round) {
            for (char key : {'1', '\b'}) {
                const double start = NowMs();
                Send(box, WM_CHAR, static_cast<WPARAM>(key));
                if (round > 0) times.push_back(NowMs() - start);
            }
        }
        CheckNoMessageBox(program);
        if (GetText(box) != text) Fail("the keystrokes did not leave the text as it was");
        return times;
    };
    const std::vector<double> drawn = keystrokes();
    SetText(GetDlgItem(main, IDC_latitudemaximum), "");
    const std::vector<double> diagram = keystrokes();
    std::printf("type_preview_ms=%.3f\n", Median(drawn));
    std::printf("type_diagram_ms=%.3f\n", Median(diagram));
    return 0;
}

int Show(const std::string& zonewright) {
    Process program(zonewright);
    HWND main = program.WaitForReady(kMainClass);
    TypeSampleArea(main);
    for (int id : {IDC_Exec_GenBuild, IDC_Exec_Library}) {
        PostClick(main, id);
        const double deadline = NowMs() + kWindowDeadlineMs;
        while (Send(GetDlgItem(main, id), BM_GETCHECK) != BST_CHECKED) {
            if (NowMs() > deadline) Fail("a check box did not take the click");
            Sleep(1);
        }
    }
    // A second area beside the first, for the terminal: its own line and a grey outline beside it.
    PostClick(main, IDC_cmdAddArea);
    const double added = NowMs() + kWindowDeadlineMs;
    while (Send(GetDlgItem(main, IDC_lstAreas), LB_GETCOUNT) != 2) {
        if (NowMs() > added) Fail("the second area did not come");
        Sleep(1);
    }
    TypeArea(main, {"47.4520", "-122.2960", "47.4420", "-122.2880"});
    for (int id : {IDC_Exec_GenBuild, IDC_Exec_Library, IDC_Exec_Windsocks}) PostClick(main, id);
    HWND view = GetDlgItem(main, IDC_txtoutput);
    const double start = NowMs();
    PostClick(main, IDC_generate);
    WaitForLength(program, view, start, [](LRESULT length) { return length > 0; });
    if (!EndsWith(GetText(view), "</FSData>\r\n")) Fail("the source view does not hold the document");
    SetForegroundWindow(main);
    Sleep(kSettleMs);  // time to paint
    CheckNoMessageBox(program);
    RECT rect;
    GetWindowRect(main, &rect);
    std::printf("window=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    program.Release();
    return 0;
}

// The document of the benchmark: areas in rows of forty around Seattle, of three kinds.
ExclusionDocument GridDocument(int count) {
    ExclusionDocument document;
    document.areas.clear();
    char text[32];
    for (int i = 0; i < count; ++i) {
        ExclusionArea area;
        const double north = 47.6 - (i / 40) * 0.01, west = -122.5 + (i % 40) * 0.01;
        std::snprintf(text, sizeof text, "%.4f", north);
        area.latitudeMaximum = text;
        std::snprintf(text, sizeof text, "%.4f", west);
        area.longitudeMinimum = text;
        std::snprintf(text, sizeof text, "%.4f", north - 0.008);
        area.latitudeMinimum = text;
        std::snprintf(text, sizeof text, "%.4f", west + 0.008);
        area.longitudeMaximum = text;
        area.objectTypes[i % 3 == 0 ? All : i % 3 == 1 ? GenBuild : Windsocks] = CheckState::Ticked;
        document.areas.push_back(area);
    }
    return document;
}

// Answers the file dialog the program opens with the name; returns the moment the OK is posted.
double AnswerFileDialog(const Process& program, const std::string& name) {
    const double deadline = NowMs() + kWindowDeadlineMs;
    for (;;) {
        if (HWND dialog = FindVisibleWindow(program.id(), "#32770")) {
            HWND combo = GetDlgItem(dialog, 1148);
            HWND edit = combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
            if (HWND box = edit ? edit : combo) {
                SetText(box, name);
                const double start = NowMs();
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                return start;
            }
        }
        if (NowMs() > deadline) Fail("no file dialog came");
        Sleep(1);
    }
}

// The file dialog may still be closing meanwhile; a message box, which holds a text, fails it.
template <class Condition>
double WaitUntil(const Process& program, double start, Condition condition) {
    for (;;) {
        if (condition()) return NowMs() - start;
        HWND box = FindVisibleWindow(program.id(), "#32770");
        if (box && GetDlgItem(box, 0xFFFF)) CheckNoMessageBox(program);
        if (NowMs() > start + kWorkDeadlineMs) Fail("the work did not end in time");
        Sleep(1);
    }
}

int Areas(int runs, const std::string& zonewright, int count, const std::string& folder) {
    const ExclusionDocument document = GridDocument(count);
    const std::string project = folder + "\\areas.exc";
    {
        const std::string text = ProjectText("", document);
        FILE* file = std::fopen(project.c_str(), "wb");
        if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fclose(file) != 0) {
            Fail("could not write " + project);
        }
    }
    std::string expected;
    for (const std::string& line : GenerateExclusionSource(document).lines) expected += line + "\r\n";

    Process program(zonewright, "\"" + project + "\"");
    HWND main = program.WaitForReady(kMainClass);
    HWND list = GetDlgItem(main, IDC_lstAreas);
    auto lines = [&] { return Send(list, LB_GETCOUNT); };
    WaitUntil(program, NowMs(), [&] { return lines() == count; });

    std::vector<double> opens, selects, keys, generates, saves, floors;
    for (int round = 0; round <= runs; ++round) {
        PostMessageA(main, WM_COMMAND, ID_menuNew, 0);
        WaitUntil(program, NowMs(), [&] { return lines() == 1; });
        PostMessageA(main, WM_COMMAND, ID_menuOpen, 0);
        const double start = AnswerFileDialog(program, project);
        const double opened = WaitUntil(program, start, [&] { return lines() == count; });
        if (round > 0) opens.push_back(opened);
    }
    for (int round = 0; round <= runs * 10; ++round) {
        const int line = (round * 97) % count;
        const double start = NowMs();
        Send(list, LB_SETCURSEL, line);
        Send(main, WM_COMMAND, MAKEWPARAM(IDC_lstAreas, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        if (round > 0) selects.push_back(NowMs() - start);
    }
    HWND box = GetDlgItem(main, IDC_longitudemaximum);
    const std::string text = GetText(box);
    Send(box, EM_SETSEL, text.size(), text.size());
    for (int round = 0; round <= runs * 10; ++round) {
        for (char key : {'1', '\b'}) {
            const double start = NowMs();
            Send(box, WM_CHAR, static_cast<WPARAM>(key));
            if (round > 0) keys.push_back(NowMs() - start);
        }
    }
    if (GetText(box) != text) Fail("the keystrokes did not leave the text as it was");
    HWND view = GetDlgItem(main, IDC_txtoutput);
    const LRESULT length = static_cast<LRESULT>(expected.size());
    for (int round = 0; round <= runs; ++round) {
        SetText(view, "");
        const double start = NowMs();
        PostClick(main, IDC_generate);
        const double generated = WaitForLength(program, view, start, [length](LRESULT now) { return now == length; });
        if (round > 0) generates.push_back(generated);
    }
    if (GetText(view) != expected) Fail("the source view does not hold the document");
    for (int round = 0; round <= runs; ++round) {
        const std::string saved = folder + "\\saved" + std::to_string(round) + ".exc";
        DeleteFileA(saved.c_str());
        PostMessageA(main, WM_COMMAND, ID_menuSave, 0);
        const double start = AnswerFileDialog(program, saved);
        const double done =
            WaitUntil(program, start, [&] { return GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; });
        if (round > 0) saves.push_back(done);
    }

    // The floor of Generate: the same text set at once into an edit control like the source view.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 500, 320, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                    ES_WANTRETURN,
                                16, 16, 417, 265, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!edit) Fail("could not make an edit control");
    SendMessageA(edit, WM_SETFONT, SendMessageA(view, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    LOGFONTA font = {};
    font.lfHeight = -11;
    lstrcpyA(font.lfFaceName, "MS Sans Serif");
    HFONT made = CreateFontIndirectA(&font);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
    for (int round = 0; round <= runs; ++round) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        const double start = NowMs();
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(expected.c_str()));
        if (round > 0) floors.push_back(NowMs() - start);
    }
    DestroyWindow(window);
    DeleteObject(made);

    std::printf("areas_count=%d\n", count);
    std::printf("areas_open_ms=%.2f\n", Median(opens));
    std::printf("areas_select_ms=%.3f\n", Median(selects));
    std::printf("areas_key_ms=%.3f\n", Median(keys));
    std::printf("areas_generate_ms=%.2f\n", Median(generates));
    std::printf("areas_generate_ms_runs=%s\n", Join(generates).c_str());
    std::printf("areas_floor_ms=%.2f\n", Median(floors));
    std::printf("areas_floor_ms_runs=%s\n", Join(floors).c_str());
    std::printf("areas_save_ms=%.2f\n", Median(saves));
    std::printf("areas_document_chars=%ld\n", static_cast<long>(length));
    return 0;
}

int Answer() {
    const double deadline = NowMs() + kWindowDeadlineMs;
    HWND box = nullptr;
    while (!(box = FindWindowA("#32770", "ZonewrightV2"))) {
        if (NowMs() > deadline) Fail("no message of Zonewright's came");
        Sleep(10);
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (;;) {
        HWND main = FindWindowA(kMainClass, "Zonewright");
        if (main && IsWindowVisible(main) && IsWindowEnabled(main)) return 0;
        if (NowMs() > deadline) Fail("the main window did not follow the message");
        Sleep(10);
    }
}

int Usage() {
    std::fputs(
        "usage: bench_driver startup RUNS EXE CLASS [EXE CLASS ...]\n"
        "       bench_driver capture RUNS ZONEWRIGHT_EXE SIMULATOR_EXE LATITUDE LONGITUDE\n"
        "       bench_driver capture-silent RUNS ZONEWRIGHT_EXE SIMULATOR_EXE\n"
        "       bench_driver generate RUNS ZONEWRIGHT_EXE CHARACTERS\n"
        "       bench_driver type RUNS ZONEWRIGHT_EXE\n"
        "       bench_driver areas RUNS ZONEWRIGHT_EXE COUNT FOLDER\n"
        "       bench_driver answer\n"
        "       bench_driver show ZONEWRIGHT_EXE\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string& command = args[0];
    try {
        if (command == "show" && args.size() == 2) return Show(args[1]);
        if (command == "answer" && args.size() == 1) return Answer();
        if (args.size() < 3) return Usage();
        const int runs = std::atoi(args[1].c_str());
        if (runs < 1) return Usage();
        if (command == "startup") return Startup(runs, {args.begin() + 2, args.end()});
        if (command == "capture" && args.size() == 6) return Capture(runs, args[2], args[3], args[4], args[5]);
        if (command == "capture-silent" && args.size() == 4) return CaptureSilent(runs, args[2], args[3]);
        if (command == "generate" && args.size() == 4) return Generate(runs, args[2], std::atoi(args[3].c_str()));
        if (command == "type" && args.size() == 3) return TypeKeys(runs, args[2]);
        if (command == "areas" && args.size() == 5) return Areas(runs, args[2], std::atoi(args[3].c_str()), args[4]);
        return Usage();
    } catch (const Fault& failure) {
        std::fprintf(stderr, "bench_driver %s: %s\n", command.c_str(), failure.what.c_str());
        return 1;
    }
}
