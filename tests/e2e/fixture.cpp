#include "fixture.h"

namespace {

std::string& ExePath() {
    static std::string path;
    return path;
}

std::string& CompilerPath() {
    static std::string path;
    return path;
}

}  // namespace

const std::string& ZonewrightExe() { return ExePath(); }
void SetZonewrightExe(const std::string& path) { ExePath() = path; }

const std::string& StandInCompiler() { return CompilerPath(); }
void SetStandInCompiler(const std::string& path) { CompilerPath() = path; }

const char* const kCompilerSettings = "[DEFAULT]\r\nBGLCOMP=C:\\FS2004\\SDK\\bglcomp.exe\r\n";

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

AssertionResult WarningBeforeMainWindow(const e2e::Zonewright& program) {
    HWND box = nullptr;
    HWND main = nullptr;
    if (!e2e::WaitUntil([&] {
            box = program.FindMessageBox();
            main = program.FindMainWindow();
            return box || (main && IsWindowVisible(main));
        })) {
        return AssertionFailure() << "neither the warning nor the main window appeared";
    }
    if (!box) return AssertionFailure() << "the main window was shown without the warning";
    if (main && IsWindowVisible(main)) return AssertionFailure() << "the main window was shown first";
    const std::string text = e2e::MessageBoxText(box);
    if (text != kDefineCompiler) return AssertionFailure() << "the warning reads: " << text;
    if (!e2e::CloseMessageBox(box)) return AssertionFailure() << "the warning did not close";
    return AssertionSuccess();
}

AssertionResult ZonewrightTest::StartReady() {
    main_ = nullptr;
    program_.reset();
    program_.emplace(ZonewrightExe(), kCompilerSettings);
    if (!program_->prepared() || !program_->Start()) return AssertionFailure() << program_->failure();
    return AwaitMainWindow();
}

AssertionResult ZonewrightTest::AwaitMainWindow() {
    main_ = program_->WaitForMainWindow();
    if (!main_) return AssertionFailure() << "the main window did not become visible and enabled";
    return AssertionSuccess();
}

AssertionResult ZonewrightTest::Restart() {
    if (!e2e::PostCommand(main_, ID_menuExit)) return AssertionFailure() << "could not send File > Exit";
    main_ = nullptr;
    if (!program_->WaitForExit()) return AssertionFailure() << "the program did not end";
    if (program_->ExitCode() != 0) return AssertionFailure() << "the program ended with " << program_->ExitCode();
    if (!program_->Start()) return AssertionFailure() << program_->failure();
    return AssertionSuccess();
}

AssertionResult ZonewrightTest::Type(int id, const std::string& text) {
    if (!e2e::SetText(Item(id), text)) return AssertionFailure() << "could not type into control " << id;
    return AssertionSuccess();
}

AssertionResult ZonewrightTest::ClickItem(int id) {
    if (!e2e::Click(Item(id))) return AssertionFailure() << "could not click control " << id;
    return Settle();
}

AssertionResult ZonewrightTest::Command(int id) {
    if (!e2e::PostCommand(main_, id)) return AssertionFailure() << "could not send command " << id;
    return Settle();
}

AssertionResult ZonewrightTest::Settle() {
    // The Save button is only pressed down and up again, which changes nothing else.
    if (!e2e::Settle(Item(IDC_save))) return AssertionFailure() << "the program did not handle its messages";
    return AssertionSuccess();
}

AssertionResult ZonewrightTest::FillWindsocksArea() {
    const std::pair<int, const char*> coordinates[] = {
        {IDC_latitudemaximum, "47.5"},
        {IDC_longitudeminimum, "-122.5"},
        {IDC_latitudeminimum, "47.25"},
        {IDC_longitudemaximum, "-122.25"},
    };
    for (const auto& [id, text] : coordinates) {
        if (AssertionResult typed = Type(id, text); !typed) return typed;
    }
    return ClickItem(IDC_Exec_Windsocks);
}

AssertionResult ZonewrightTest::AwaitFileDialog(HWND& dialog) {
    dialog = e2e::WaitForOwnedWindow(main_, "#32770");
    if (!dialog) return AssertionFailure() << "no file dialog appeared over the main window";
    return AssertionSuccess();
}

AssertionResult ZonewrightTest::FinishFileDialog(HWND dialog, const std::string& file, Dialog kind) {
    const bool asks = kind == Dialog::Save && e2e::FileExists(file);
    if (!e2e::AnswerFileDialog(dialog, file)) return AssertionFailure() << "could not answer the file dialog";
    if (asks) {
        HWND prompt = e2e::WaitForReplacePrompt(dialog);
        if (!prompt) return AssertionFailure() << "no question whether to replace " << file;
        // Wine's words; Windows names the file in place of "File".
        const std::string text = e2e::MessageBoxText(prompt);
        if (text.find("already exists.") == std::string::npos || text.find("replace it?") == std::string::npos) {
            return AssertionFailure() << "the question reads: " << text;
        }
        if (!e2e::AnswerYes(prompt)) return AssertionFailure() << "the question did not close";
    }
    if (!e2e::WaitUntil([&] { return !IsWindow(dialog); })) {
        const std::vector<HWND> owned = e2e::FindOwnedWindows(dialog, "#32770");
        return AssertionFailure() << "the file dialog stays open"
                                  << (owned.empty() ? "" : ", asking: " + e2e::MessageBoxText(owned.front()));
    }
    return Settle();
}

AssertionResult ZonewrightTest::CancelFileDialog(HWND dialog) {
    if (!e2e::CancelFileDialog(dialog)) return AssertionFailure() << "could not cancel the file dialog";
    if (!e2e::WaitUntil([&] { return !IsWindow(dialog); })) return AssertionFailure() << "the file dialog stays open";
    return Settle();
}

AssertionResult ZonewrightTest::ExpectMessages(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
        HWND box = program_->WaitForMessageBox();
        if (!box) return AssertionFailure() << "message " << i + 1 << " did not appear: " << texts[i];
        const size_t open = program_->FindMessageBoxes().size();
        const std::string text = e2e::MessageBoxText(box);
        if (!e2e::CloseMessageBox(box)) return AssertionFailure() << "message " << i + 1 << " did not close";
        if (text != texts[i]) {
            return AssertionFailure() << "message " << i + 1 << " is \"" << text << "\", expected \"" << texts[i]
                                      << "\"";
        }
        if (open != 1) return AssertionFailure() << open << " message boxes open at once";
    }
    // Every box would have appeared within the handling that Settle waits for.
    if (AssertionResult settled = Settle(); !settled) return settled;
    if (HWND extra = program_->FindMessageBox()) {
        return AssertionFailure() << "unexpected further message: " << e2e::MessageBoxText(extra);
    }
    return AssertionSuccess();
}
