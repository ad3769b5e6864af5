#include "ui/pair_paste.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "ui/message_box.h"
#include "win32_test_support.h"

namespace {

// Puts the text on the clipboard, as a copy in another program does; false when it cannot.
bool CopyToClipboard(HWND owner, const std::string& text) {
    if (!WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 2000)) return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool copied = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        copied = EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
        if (!copied) GlobalFree(memory);
    }
    CloseClipboard();
    return copied;
}

// A pair pasted into a box goes to the corner, anything else into the box; Ctrl+V pastes so.
TEST(PairPaste, APairFillsTheCornerAndAnythingElseIsPasted) {
    HWND box = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 24, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    std::optional<CoordinatePair> filled;
    ASSERT_TRUE(MakePastedPairsFillCorner(box, [&](const CoordinatePair& pair) { filled = pair; }));

    struct Case {
        const char* copied;
        const char* latitude;  // nullptr: pasted into the box
        const char* longitude;
    };
    const Case cases[] = {
        {"47.46500, -122.31700", "47.46500", "-122.31700"},
        {"47\26027'54.0\"N 122\26019'01.2\"W\r\n", "47\26027'54.0\"N", "122\26019'01.2\"W"},
        {"47 25 53.4", nullptr, nullptr},
        {"Seattle, WA", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SetWindowTextA(box, "N");
        SendMessageA(box, EM_SETSEL, 1, 1);
        filled.reset();
        ASSERT_TRUE(CopyToClipboard(box, c.copied));
        SendMessageA(box, WM_PASTE, 0, 0);
        if (c.latitude) {
            ASSERT_TRUE(filled) << c.copied;
            EXPECT_EQ(filled->latitude, c.latitude);
            EXPECT_EQ(filled->longitude, c.longitude);
            EXPECT_EQ(WindowText(box), "N") << "a pair goes to the corner, not into the box";
        } else {
            EXPECT_FALSE(filled) << c.copied;
            EXPECT_EQ(WindowText(box), std::string("N") + c.copied);
        }
    }

    ASSERT_TRUE(CopyToClipboard(box, "-33.9 151.2"));
    filled.reset();
    SendMessageA(box, WM_CHAR, 0x16, 0);  // Ctrl+V
    ASSERT_TRUE(filled);
    EXPECT_EQ(filled->longitude, "151.2");
    DestroyWindow(box);
}

}  // namespace
