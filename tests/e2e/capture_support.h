#pragma once

// What the capture tests and the fault tests share: the FSConnect simulator run beside the
// program, the four capture buttons and their boxes, message boxes expected in order, and a
// check that the main window still does its work.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "fixture.h"
#include "win32_test_support.h"
#include "test_folder.h"

namespace capture {

inline const char* const kCaptureFailed = "Error communicating with FSConnect!";
inline const char* const kFsconnectClass = "FSCONNECT8";

// The texts of the four coordinate boxes: latitude maximum, longitude minimum, latitude minimum,
// longitude maximum (the order of the window's layout).
using Boxes = std::array<std::string, 4>;
inline const int kCoordinateBoxes[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum,
                                       IDC_longitudemaximum};

// A capture button, the box it writes (an index into Boxes) and what it asks FSConnect for.
struct Button {
    const char* name;
    int id;
    size_t box;
    bool latitude;
};
inline const Button kButtons[] = {
    {"northwest latitude", IDC_NW1, 0, true},
    {"northwest longitude", IDC_NW2, 1, false},
    {"southeast latitude", IDC_SE1, 2, true},
    {"southeast longitude", IDC_SE2, 3, false},
};

// The requests a capture makes, as the simulator's log names them.
inline const char* const kStatusRequest = "wParam=10 lParam=0";
inline std::string ReadRequest(bool latitude) {
    return latitude ? "wParam=1 lParam=71" : "wParam=1 lParam=72";
}

// A message box as it must appear: its text, and its icon as e2e::MessageBoxIcon names it
// ("" for none).
struct ExpectedBox {
    std::string text;
    std::string icon;
};

// Whether a message box shows an icon: a visible Static child holding one.
inline bool HasIcon(HWND box) {
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        if (!IsWindowVisible(child) || !(GetWindowLongA(child, GWL_STYLE) & SS_ICON)) continue;
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) && icon != 0) return true;
    }
    return false;
}

// The simulator's process, which a test may end while it is in the middle of an answer.
inline bool EndProcess(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process) return false;
    const bool ended = TerminateProcess(process, 9) && WaitForSingleObject(process, e2e::kTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

class FsconnectTest : public ZonewrightTest {
protected:
    using AssertionResult = ::testing::AssertionResult;

    // The program ends before the folders go (its file dialogs make a folder its current one),
    // and the simulator after it, so that no request of the program is left waiting.
    void TearDown() override {
        program_.reset();
        simulator_.reset();
    }

    // Starts fsconnect_sim.exe with these switches and a log of its own, and waits for its
    // window. It must be the only FSConnect of the Wine prefix: the program finds it by class.
    AssertionResult StartSimulator(const std::string& switches) {
        using ::testing::AssertionFailure;
        simulator_.reset();
        if (HWND other = FindWindowA(kFsconnectClass, nullptr)) {
            char title[128] = "";
            GetWindowTextA(other, title, sizeof title);
            return AssertionFailure() << "another FSCONNECT8 window (\"" << title << "\") is open in this Wine prefix";
        }
        logPath_ = logs_.Path("simulator " + std::to_string(++simulators_) + ".log");
        simulator_.emplace(switches + " --log \"" + logPath_ + "\"");
        if (!simulator_->error().empty()) return AssertionFailure() << simulator_->error();
        simulatorWindow_ = simulator_->WaitForWindow(kFsconnectClass);
        if (!simulatorWindow_) {
            return AssertionFailure() << "the simulator (" << switches << ") showed no window; exit code "
                                      << simulator_->WaitForExit(0);
        }
        if (FindWindowA(kFsconnectClass, nullptr) != simulatorWindow_) {
            return AssertionFailure() << "the program would find another FSCONNECT8 window";
        }
        return ::testing::AssertionSuccess();
    }

    // Closes the simulator's window as a user would; it must end cleanly.
    AssertionResult StopSimulator() {
        if (!simulator_) return ::testing::AssertionFailure() << "no simulator runs";
        const DWORD code = simulator_->Close(simulatorWindow_);
        if (code != 0) return ::testing::AssertionFailure() << "the simulator ended with " << code;
        if (FindWindowA(kFsconnectClass, nullptr)) {
            return ::testing::AssertionFailure() << "an FSCONNECT8 window is still open";
        }
        return ::testing::AssertionSuccess();
    }

    // The simulator's own label, which counts the requests as they arrive (before the answer).
    std::string SimulatorLabel() const {
        char text[512] = "";
        HWND label = FindWindowExA(simulatorWindow_, nullptr, "Static", nullptr);
        if (label) GetWindowTextA(label, text, sizeof text);
        return text;
    }

    // The requests the simulator has answered (or will never answer), in order, as
    // "wParam=N lParam=N".
    std::vector<std::string> Requests() const {
        std::vector<std::string> requests;
        for (const std::string& line : LogLines(logPath_)) requests.push_back(line.substr(0, line.find(" result=")));
        return requests;
    }

    // The texts the simulator handed out as global atoms.
    std::vector<std::string> AtomTexts() const {
        std::vector<std::string> texts;
        for (const std::string& line : LogLines(logPath_)) {
            const size_t at = line.find(" text=");
            if (at != std::string::npos) texts.push_back(line.substr(at + 6));
        }
        return texts;
    }

    // The program read and deleted every atom it was given: none is left in the global table.
    AssertionResult NoAtomLeft() const {
        const std::vector<std::string> texts = AtomTexts();
        if (texts.empty()) return ::testing::AssertionFailure() << "the simulator handed out no atom";
        for (const std::string& text : texts) {
            if (GlobalFindAtomA(text.c_str()) != 0) return ::testing::AssertionFailure() << "atom left: " << text;
        }
        return ::testing::AssertionSuccess();
    }

    Boxes Shown() const {
        Boxes texts;
        for (size_t i = 0; i < texts.size(); ++i) texts[i] = e2e::GetText(Item(kCoordinateBoxes[i]));
        return texts;
    }
    AssertionResult TypeBoxes(const Boxes& texts) {
        for (size_t i = 0; i < texts.size(); ++i) {
            if (AssertionResult typed = Type(kCoordinateBoxes[i], texts[i]); !typed) return typed;
        }
        if (Shown() != texts) return ::testing::AssertionFailure() << "the boxes did not take the texts";
        return ::testing::AssertionSuccess();
    }

    // The message boxes that come, in order and one at a time, each over the disabled owner and
    // closed with OK; then no further one. The first may take up to timeoutMs to come.
    AssertionResult ExpectBoxes(const std::vector<ExpectedBox>& boxes, DWORD timeoutMs = e2e::kTimeoutMs,
                                HWND owner = nullptr) {
        using ::testing::AssertionFailure;
        if (!owner) owner = main_;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const ExpectedBox& expected = boxes[i];
            HWND box = nullptr;
            // Visible once it is set up: its text and icon are in place by then.
            if (!e2e::WaitUntil([&] { return (box = program_->FindMessageBox()) != nullptr && IsWindowVisible(box); },
                                i == 0 ? timeoutMs : e2e::kTimeoutMs)) {
                return AssertionFailure() << "message " << i + 1 << " did not appear: " << expected.text;
            }
            const size_t open = program_->FindMessageBoxes().size();
            const std::string text = e2e::MessageBoxText(box);
            const HWND boxOwner = GetWindow(box, GW_OWNER);
            const bool ownerEnabled = IsWindowEnabled(owner) != FALSE;
            const bool hasIcon = HasIcon(box);
            std::string icon;
            if (!expected.icon.empty()) {
                e2e::WaitUntil([&] { return (icon = e2e::MessageBoxIcon(box)) == expected.icon; });
            }
            if (!e2e::CloseMessageBox(box)) return AssertionFailure() << "message " << i + 1 << " did not close";
            if (text != expected.text) {
                return AssertionFailure()
                       << "message " << i + 1 << " is \"" << text << "\", expected \"" << expected.text << "\"";
            }
            if (open != 1) return AssertionFailure() << open << " message boxes were open at once";
            if (boxOwner != owner) return AssertionFailure() << "message " << i + 1 << " has another owner";
            if (ownerEnabled) return AssertionFailure() << "the owner stayed enabled under message " << i + 1;
            if (hasIcon != !expected.icon.empty() || icon != expected.icon) {
                return AssertionFailure() << "message " << i + 1 << " shows the icon \"" << icon << "\""
                                          << (hasIcon ? "" : " (none)") << ", expected \"" << expected.icon << "\"";
            }
        }
        if (AssertionResult settled = Settle(); !settled) return settled;
        if (HWND extra = program_->FindMessageBox()) {
            return AssertionFailure() << "unexpected further message: " << e2e::MessageBoxText(extra);
        }
        return ::testing::AssertionSuccess();
    }

    // The main window is enabled, shows no message, and still generates a document.
    AssertionResult StillWorks() {
        using ::testing::AssertionFailure;
        if (!IsWindowEnabled(main_)) return AssertionFailure() << "the main window is disabled";
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        if (AssertionResult typed = TypeBoxes({"47.5", "-122.5", "47.25", "-122.25"}); !typed) return typed;
        const int types[] = {IDC_Exec_All,     IDC_Exec_Beacon,    IDC_Exec_Effects,  IDC_Exec_GenBuild,
                             IDC_Exec_Library, IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks};
        for (int id : types) {
            if (!e2e::SetCheck(Item(id), id == IDC_Exec_Windsocks ? BST_CHECKED : BST_UNCHECKED)) {
                return AssertionFailure() << "could not set object type " << id;
            }
        }
        if (AssertionResult generated = ClickItem(IDC_generate); !generated) return generated;
        const std::string document = e2e::GetText(Item(IDC_txtoutput));
        if (document != kWindsocksDocument) return AssertionFailure() << "Generate wrote:\n" << document;
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        return ::testing::AssertionSuccess();
    }

    std::optional<Simulator> simulator_;
    HWND simulatorWindow_ = nullptr;

private:
    TestFolder logs_;
    std::string logPath_;
    int simulators_ = 0;
};

}  // namespace capture
