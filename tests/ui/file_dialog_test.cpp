#include "ui/file_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "driver.h"
#include "test_folder.h"
#include "ui/message_box.h"

namespace {

// Shows the Save dialog over the owner while `user` answers on a thread of its own; what is still
// open once the user is done is cancelled, so that a test going wrong never hangs.
bool ShowSaveAnswered(FileDialog& dialog, HWND owner, const std::function<void()>& user) {
    std::atomic<bool> returned{false};
    std::thread answering([&] {
        user();
        for (int i = 0; i < 400 && !returned; ++i, Sleep(50)) {
            for (HWND window : e2e::FindOwnedWindows(owner, "#32770")) {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                PostMessageA(window, WM_COMMAND, IDNO, 0);
            }
        }
    });
    const bool chosen = dialog.ShowSave(owner).value;
    returned = true;
    answering.join();
    return chosen;
}

// The dialog tells the type chosen, and a name typed without extension gets the KML type's; a
// file of the name so made is replaced once the user says so, and a No shows the dialog again.
TEST(FileDialog, TellsTheTypeChosenAndGivesItsExtension) {
    EXPECT_EQ(WithExtension("C:\\maps.v2\\area", ".kml"), "C:\\maps.v2\\area.kml");
    EXPECT_EQ(WithExtension("C:\\maps\\area.v2", ".kml"), "C:\\maps\\area.v2");
    EXPECT_EQ(WithExtension("C:\\maps\\area.EXC", ".kml", {".exc", ".kml"}), "C:\\maps\\area.kml");
    EXPECT_EQ(WithExtension("C:\\a.exc\\area", ".kml", {".exc"}), "C:\\a.exc\\area.kml");

    TestFolder folder;
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    FileDialog dialog;
    dialog.filter = "Zonewright Save Files (*.exc)|*.exc|Google Earth KML (*.kml)|*.kml|";
    dialog.typeExtensions = {"", ".kml"};
    auto answer = [&](bool chooseKml) {
        HWND shown = e2e::WaitForOwnedWindow(owner, "#32770");
        return shown && (!chooseKml || e2e::ChooseFileType(shown, 1)) &&
               e2e::AnswerFileDialog(shown, folder.Path("area")) && e2e::WaitUntil([&] { return !IsWindow(shown); });
    };
    EXPECT_TRUE(ShowSaveAnswered(dialog, owner, [&] { answer(true); }));
    EXPECT_EQ(dialog.fileName, folder.Path("area.kml"));
    EXPECT_EQ(dialog.filterIndex, 2u);

    ASSERT_TRUE(e2e::WriteFileBytes(folder.Path("area.kml"), "old"));
    dialog.fileName.clear();
    std::vector<std::string> questions;
    EXPECT_TRUE(ShowSaveAnswered(dialog, owner, [&] {
        for (WPARAM reply : {IDNO, IDYES}) {
            HWND box =
                answer(false) ? e2e::WaitForTopWindow(GetCurrentProcessId(), "#32770", kApplicationTitle) : nullptr;
            questions.push_back(e2e::MessageBoxText(box));
            if (!box || !PostMessageA(box, WM_COMMAND, reply, 0) || !e2e::WaitUntil([&] { return !IsWindow(box); })) {
                return;
            }
        }
    }));
    const std::string question = "\"" + folder.Path("area.kml") + "\" already exists.\r\nDo you want to replace it?";
    EXPECT_EQ(questions, std::vector<std::string>(2, question));
    EXPECT_EQ(dialog.fileName, folder.Path("area.kml"));
    DestroyWindow(owner);
}

}  // namespace
