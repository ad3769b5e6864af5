#include "ui/file_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "driver.h"
#include "test_folder.h"
#include "ui/message_box.h"

namespace {

using namespace std::string_literals;

// Runs the steps of a user answering the dialogs over the owner, on a thread of its own while the
// test's thread shows them. A step that goes wrong ends the steps, and the dialogs and questions
// still open are then cancelled until the test goes on, so that it never hangs.
class User {
public:
    User(HWND owner, std::vector<std::function<bool()>> steps)
        : thread_([this, owner, steps = std::move(steps)] {
              for (const auto& step : steps) {
                  if (!step()) break;
                  ++done_;
              }
              if (done_ == steps.size()) return;
              for (int i = 0; i < 400 && !ended_; ++i) {
                  for (HWND window : e2e::FindOwnedWindows(owner, "#32770")) {
                      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                      PostMessageA(window, WM_COMMAND, IDNO, 0);
                  }
                  Sleep(50);
              }
          }) {}
    ~User() { StepsDone(); }
    User(const User&) = delete;
    User& operator=(const User&) = delete;
    // Once the thread has ended: how many steps went right.
    size_t StepsDone() {
        ended_ = true;
        if (thread_.joinable()) thread_.join();
        return done_;
    }

private:
    std::atomic<size_t> done_{0};
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

TEST(FileDialogFilter, BecomesANulSeparatedList) {
    EXPECT_EQ(FilterList("BGLComp Program (bglcomp.exe)|*.exe|"), "BGLComp Program (bglcomp.exe)\0*.exe\0\0"s);
    EXPECT_EQ(FilterList("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0\0"s);
    EXPECT_EQ(FilterList("XML Files (*.xml)|*.xml|All Files (*.*)|*.*| "),
              "XML Files (*.xml)\0*.xml\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(WithExtension("C:\\maps\\area", ".kml"), "C:\\maps\\area.kml");
    EXPECT_EQ(WithExtension("C:\\maps.v2\\area", ".kml"), "C:\\maps.v2\\area.kml");
    EXPECT_EQ(WithExtension("C:\\maps\\area.v2", ".kml"), "C:\\maps\\area.v2");
    EXPECT_EQ(WithExtension("C:\\maps\\area", ""), "C:\\maps\\area");
}

// The dialog tells the file type chosen; a name typed without extension gets the KML type's, and
// the project type's name stays as typed. A file of the name so made is replaced only once the
// user says so; a No shows the dialog again.
TEST(FileDialogType, TheChosenTypeIsToldAndGivesItsExtension) {
    TestFolder folder;
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    FileDialog dialog;
    dialog.filter = "Zonewright Save Files (*.exc)|*.exc|Google Earth KML (*.kml)|*.kml|";
    dialog.typeExtensions = {"", ".kml"};
    HWND shown = nullptr;
    auto showing = [&] { return (shown = e2e::WaitForOwnedWindow(owner, "#32770")) != nullptr; };
    auto type = [&](int index) { return [&, index] { return e2e::ChooseFileType(shown, index); }; };
    auto answer = [&] { return e2e::AnswerFileDialog(shown, folder.Path("area")); };
    auto gone = [&] { return e2e::WaitUntil([&] { return !IsWindow(shown); }); };
    std::string question;
    auto replaceQuestion = [&](WPARAM reply) {
        return [&, reply] {
            HWND box = e2e::WaitForTopWindow(GetCurrentProcessId(), "#32770", kApplicationTitle);
            question = e2e::MessageBoxText(box);
            return box && PostMessageA(box, WM_COMMAND, reply, 0) && e2e::WaitUntil([&] { return !IsWindow(box); });
        };
    };

    {
        User user(owner, {showing, [&] { return e2e::FileTypes(shown).size() == 2; }, type(1), answer, gone});
        const Result<bool> chosen = dialog.ShowSave(owner);
        ASSERT_EQ(user.StepsDone(), 5u);
        EXPECT_TRUE(chosen.value);
        EXPECT_EQ(dialog.fileName, folder.Path("area.kml"));
        EXPECT_EQ(dialog.filterIndex, 2u);
    }
    {
        User user(owner, {showing, type(0), answer, gone});
        EXPECT_TRUE(dialog.ShowSave(owner).value);
        ASSERT_EQ(user.StepsDone(), 4u);
        EXPECT_EQ(dialog.fileName, folder.Path("area")) << "the project type keeps the name as typed";
        EXPECT_EQ(dialog.filterIndex, 1u);
    }
    ASSERT_TRUE(e2e::WriteFileBytes(folder.Path("area.kml"), "old"));
    dialog.filterIndex = 2;
    {
        User user(owner, {showing, answer, gone, replaceQuestion(IDNO), showing,
                          [&] { return e2e::CancelFileDialog(shown); }, gone});
        EXPECT_FALSE(dialog.ShowSave(owner).value);
        ASSERT_EQ(user.StepsDone(), 7u);
        EXPECT_EQ(question, "\"" + folder.Path("area.kml") + "\" already exists.\r\nDo you want to replace it?");
        EXPECT_EQ(dialog.fileName, folder.Path("area")) << "unchanged by a cancel";
    }
    {
        User user(owner, {showing, answer, gone, replaceQuestion(IDYES)});
        EXPECT_TRUE(dialog.ShowSave(owner).value);
        ASSERT_EQ(user.StepsDone(), 4u);
        EXPECT_EQ(dialog.fileName, folder.Path("area.kml"));
    }
    DestroyWindow(owner);
}

}  // namespace
