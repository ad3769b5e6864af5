// The areas for a map: a latitude and a longitude pasted together fill a corner, and File > Save
// with the KML type exports the document for Google Earth.

#include "fixture.h"
#include "test_folder.h"
#include "win32_test_support.h"

namespace {

using MapTest = ZonewrightTest;

TEST_F(MapTest, APastedPairFillsItsCornerAndSavingAsKmlWritesNoProject) {
    ASSERT_TRUE(StartReady());
    // The focus stands in the northwest latitude box at start.
    ASSERT_TRUE(CopyToClipboard(nullptr, "47.4650, -122.3170"));
    ASSERT_TRUE(e2e::PressKeys(main_, {VK_CONTROL, 'V'}));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::GetText(Item(IDC_longitudeminimum)) == "-122.3170"; }));
    EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), "47.4650");
    ASSERT_TRUE(Type(IDC_latitudeminimum, "47.4300"));
    ASSERT_TRUE(Type(IDC_longitudemaximum, "-122.2980"));
    ASSERT_TRUE(ClickItem(IDC_Exec_GenBuild));
    ASSERT_TRUE(ClickItem(IDC_Exec_Library));
    ASSERT_TRUE(ClickItem(IDC_cmdAddArea));
    ASSERT_TRUE(Type(IDC_latitudemaximum, "N47 26 24"));
    ASSERT_TRUE(Type(IDC_longitudeminimum, "W122 18 36"));
    ASSERT_TRUE(Type(IDC_latitudeminimum, "47 26.1"));
    ASSERT_TRUE(Type(IDC_longitudemaximum, "122 18.3W"));
    for (int id : {IDC_Exec_GenBuild, IDC_Exec_Library, IDC_Exec_Windsocks}) ASSERT_TRUE(ClickItem(id));

    TestFolder exports;
    ASSERT_TRUE(e2e::PostCommand(main_, ID_menuSave));
    HWND dialog = nullptr;
    ASSERT_TRUE(AwaitFileDialog(dialog));
    ASSERT_TRUE(e2e::ChooseFileType(dialog, 1));
    ASSERT_TRUE(FinishFileDialog(dialog, exports.Path("map"), Dialog::Save));
    EXPECT_EQ(program_->FindMessageBox(), nullptr);
    EXPECT_EQ(e2e::FolderEntries(exports.path()), std::vector<std::string>{"map.kml"});
    EXPECT_EQ(e2e::ReadFileBytes(exports.Path("map.kml")), std::string(kTwoAreaKml));

    // The next Save is the project's again, without the export's name for it to go into.
    ASSERT_TRUE(e2e::PostCommand(main_, ID_menuSave));
    ASSERT_TRUE(AwaitFileDialog(dialog));
    HWND name = e2e::FileNameBox(dialog);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(e2e::GetText(name), "");
    ASSERT_TRUE(CancelFileDialog(dialog));
}

}  // namespace
