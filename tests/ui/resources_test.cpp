#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "ui/resource.h"

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDirectory {
    WORD reserved, type, count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, IconHoldsFourSizesInThreeColourDepths) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_ZONEWRIGHT), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_TRUE(found);
    const auto* directory = static_cast<const IconDirectory*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_TRUE(directory);
    std::set<std::pair<int, int>> images;
    for (int i = 0; i < directory->count; ++i) {
        const IconDirectoryEntry& entry = directory->entries[i];
        images.insert({entry.width, entry.bitCount});
    }
    std::set<std::pair<int, int>> expected;
    for (int size : {48, 32, 24, 16}) {
        for (int bits : {4, 8, 32}) expected.insert({size, bits});
    }
    EXPECT_EQ(images, expected);
    EXPECT_EQ(directory->count, 12);
}

TEST(Resources, CornerPictureIsAHundredPixelsSquare) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_CORNER), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    ASSERT_TRUE(picture);
    BITMAP info;
    GetObjectA(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 100);
    EXPECT_EQ(info.bmHeight, 100);
    // The light grey background becomes the window's face colour.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    EXPECT_EQ(GetPixel(dc, 50, 1), GetSysColor(COLOR_3DFACE));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
}

TEST(Resources, MenuTreeHasAccessKeysAndShortcuts) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_TRUE(menu);
    auto text = [](HMENU m, UINT position) {
        char buffer[64] = {};
        GetMenuStringA(m, position, buffer, sizeof buffer, MF_BYPOSITION);
        return std::string(buffer);
    };
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(text(menu, 0), "&File");
    EXPECT_EQ(text(menu, 1), "&Settings");
    EXPECT_EQ(text(menu, 2), "&Map");
    EXPECT_EQ(text(menu, 3), "&Info");
    EXPECT_EQ(GetMenuItemID(menu, 1), static_cast<UINT>(ID_menuSettings));
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(ID_menuMap));
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(ID_help));
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(file), 5);
    EXPECT_EQ(text(file, 0), "&New\tCtrl+N");
    EXPECT_EQ(text(file, 1), "&Open\tCtrl+O");
    EXPECT_EQ(text(file, 2), "&Save\tCtrl+S");
    EXPECT_TRUE(GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(text(file, 4), "&Exit");
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(ID_menuNew));
    EXPECT_EQ(GetMenuItemID(file, 4), static_cast<UINT>(ID_menuExit));
    DestroyMenu(menu);

    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_TRUE(accelerators);
    ACCEL table[8];
    const int count = CopyAcceleratorTableA(accelerators, table, 8);
    std::set<std::pair<int, int>> keys;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(table[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), FVIRTKEY | FCONTROL);
        keys.insert({table[i].key, table[i].cmd});
    }
    EXPECT_EQ(keys, (std::set<std::pair<int, int>>{{'N', ID_menuNew}, {'O', ID_menuOpen}, {'S', ID_menuSave}, {'M', ID_menuMap}}));
}

TEST(Resources, VersionIsTwoPointZero) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 0);
}

}  // namespace
