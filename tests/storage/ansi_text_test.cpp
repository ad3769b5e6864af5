#include "storage/ansi_text.h"

#include <gtest/gtest.h>

#include "lead_bytes.h"

namespace {

TEST(FolderOf, KeepsTheSeparatorOfARootAloneAndInFolderAddsOneWhereNoneIs) {
    const LeadBytes none;
    const struct {
        const char* path;
        const char* folder;
        const char* settings;  // InFolder(folder, "z.ini")
        const LeadBytes& lead;
    } cases[] = {
        {"C:\\Zonewright\\Zonewright.exe", "C:\\Zonewright", "C:\\Zonewright\\z.ini", none},
        {"Y:\\Zonewright.exe", "Y:\\", "Y:\\z.ini", none},
        {"\\\\server\\share\\Zonewright.exe", "\\\\server\\share\\", "\\\\server\\share\\z.ini", none},
        {"\\\\server\\share\\zw\\Zonewright.exe", "\\\\server\\share\\zw", "\\\\server\\share\\zw\\z.ini", none},
        {"\\\\?\\UNC\\server\\share\\Zonewright.exe", "\\\\?\\UNC\\server\\share\\", "\\\\?\\UNC\\server\\share\\z.ini",
         none},
        // 0x95 0x5C is one character in 932: its second byte is no separator.
        {"Y:\\\x95\x5C\\Zonewright.exe", "Y:\\\x95\x5C", "Y:\\\x95\x5C\\z.ini", JapaneseLeadBytes()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(c.path, c.lead), c.folder) << c.path;
        EXPECT_EQ(InFolder(c.folder, "z.ini", c.lead), c.settings) << c.path;
    }
}

}  // namespace
