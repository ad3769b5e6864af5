// The driver's answer to a common file dialog, tried on a dialog of this test process: the
// program under test has none of its own yet.

#include <windows.h>

#include <commdlg.h>

#include <atomic>
#include <memory>
#include <thread>

#include "fixture.h"

namespace {

const char* const kTitle = "Zonewright e2e save test";

// GetSaveFileNameA on a thread of its own, whose result outlives this object if need be.
class SaveDialogThread {
public:
    SaveDialogThread() : run_(std::make_shared<Run>()) {
        std::thread([run = run_] {
            char file[MAX_PATH] = "";
            OPENFILENAMEA dialog = {};
            dialog.lStructSize = sizeof dialog;
            dialog.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
            dialog.lpstrFile = file;
            dialog.nMaxFile = sizeof file;
            dialog.lpstrTitle = kTitle;
            dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
            run->result = GetSaveFileNameA(&dialog);
            run->error = CommDlgExtendedError();
            run->file = file;
            run->done = true;
        }).detach();
    }
    // A dialog left open by a failed test is cancelled, so the thread ends.
    ~SaveDialogThread() {
        if (HWND dialog = e2e::FindTopWindow(GetCurrentProcessId(), "#32770", kTitle)) e2e::CancelFileDialog(dialog);
        WaitForResult();
    }
    SaveDialogThread(const SaveDialogThread&) = delete;
    SaveDialogThread& operator=(const SaveDialogThread&) = delete;

    bool WaitForResult() const {
        return e2e::WaitUntil([&] { return run_->done.load(); });
    }
    BOOL result() const { return run_->result; }
    DWORD error() const { return run_->error; }
    const std::string& file() const { return run_->file; }

private:
    struct Run {
        std::atomic<bool> done{false};
        BOOL result = FALSE;
        DWORD error = 0;
        std::string file;
    };
    std::shared_ptr<Run> run_;
};

TEST(FileDialogTest, TheDriverAnswersAndCancelsACommonFileDialog) {
    TestFolder folder;
    const std::string answer = folder.Path("answer.txt");
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "answered");
        SaveDialogThread thread;
        HWND dialog = e2e::WaitForTopWindow(GetCurrentProcessId(), "#32770", kTitle);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(cancel ? e2e::CancelFileDialog(dialog) : e2e::AnswerFileDialog(dialog, answer));
        ASSERT_TRUE(thread.WaitForResult());
        EXPECT_EQ(thread.result(), cancel ? FALSE : TRUE);
        EXPECT_EQ(thread.error(), 0u);
        EXPECT_EQ(thread.file(), cancel ? std::string() : answer);
    }
}

}  // namespace
