// Leaving the program ends its process, without asking anything.

#include "fixture.h"

namespace {

using ExitTest = ZonewrightTest;

TEST_F(ExitTest, EndsTheProcessWithoutAMessage) {
    struct Way {
        const char* name;
        bool (*leave)(HWND main);
    };
    const Way ways[] = {
        {"File > Exit", [](HWND main) { return e2e::PostCommand(main, ID_menuExit); }},
        {"WM_CLOSE", [](HWND main) { return PostMessageA(main, WM_CLOSE, 0, 0) != FALSE; }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(StartReady());
        ASSERT_TRUE(FillWindsocksArea());
        ASSERT_TRUE(ClickItem(IDC_generate));

        ASSERT_TRUE(way.leave(main_));
        HWND box = nullptr;
        ASSERT_TRUE(e2e::WaitUntil([&] { return (box = program_->FindMessageBox()) || program_->HasExited(); }));
        EXPECT_EQ(box, nullptr) << "message: " << e2e::MessageBoxText(box);
        EXPECT_TRUE(program_->WaitForExit());
        EXPECT_EQ(program_->ExitCode(), 0u);
    }
}

}  // namespace
