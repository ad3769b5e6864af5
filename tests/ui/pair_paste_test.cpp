#include "ui/pair_paste.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ui/message_box.h"
#include "win32_test_support.h"

namespace {

bool CopyToClipboard(HWND owner, const char* text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    if (!memory || !WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 2000)) return false;
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    const bool copied = EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    return copied;
}

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
