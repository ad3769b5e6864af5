#include "ui/pair_paste.h"

#include <gtest/gtest.h>

#include "ui/message_box.h"
#include "win32_test_support.h"

namespace {

// Ctrl+V of a pair fills the corner, and of anything else goes into the box.
TEST(PairPaste, APairFillsTheCornerAndAnythingElseIsPasted) {
    HWND box = CreateWindowExA(0, "EDIT", "N", WS_POPUP, 0, 0, 200, 24, nullptr, nullptr, nullptr, nullptr);
    std::string filled;
    ASSERT_TRUE(MakePastedPairsFillCorner(
        box, [&](const CoordinatePair& pair) { filled = pair.latitude + "|" + pair.longitude; }));
    SendMessageA(box, EM_SETSEL, 1, 1);
    for (const char* copied : {"47\26027'54.0\"N 122\26019'01.2\"W\r\n", "47 25 53.4"}) {
        ASSERT_TRUE(CopyToClipboard(box, copied));
        SendMessageA(box, WM_CHAR, 0x16, 0);  // Ctrl+V
    }
    EXPECT_EQ(filled, "47\26027'54.0\"N|122\26019'01.2\"W");
    EXPECT_EQ(WindowText(box), "N47 25 53.4");
    DestroyWindow(box);
}

}  // namespace
