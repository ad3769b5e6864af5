// The object-type check boxes and the "All objects" rule, by clicks and from outside.

#include "fixture.h"

namespace {

const int kSingleTypes[] = {IDC_Exec_Beacon,    IDC_Exec_Effects,  IDC_Exec_GenBuild, IDC_Exec_Library,
                            IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks};

using CheckBoxTest = ZonewrightTest;

TEST_F(CheckBoxTest, AllObjectsDisablesTheSingleTypesAndKeepsTheirTicks) {
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(ClickItem(IDC_Exec_Beacon));
    ASSERT_TRUE(ClickItem(IDC_Exec_Effects));

    for (bool all : {true, false}) {
        SCOPED_TRACE(all ? "All objects ticked" : "All objects cleared");
        ASSERT_TRUE(ClickItem(IDC_Exec_All));
        EXPECT_EQ(e2e::GetCheck(Item(IDC_Exec_All)), all ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_TRUE(IsWindowEnabled(Item(IDC_Exec_All)));
        for (int id : kSingleTypes) {
            SCOPED_TRACE(id);
            EXPECT_EQ(IsWindowEnabled(Item(id)) != FALSE, !all);
            const bool ticked = id == IDC_Exec_Beacon || id == IDC_Exec_Effects;
            EXPECT_EQ(e2e::GetCheck(Item(id)), ticked ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

TEST_F(CheckBoxTest, AClickTogglesBetweenClearAndTickedOnly) {
    ASSERT_TRUE(StartReady());
    struct Way {
        const char* name;
        bool (*click)(HWND);
    };
    const Way ways[] = {{"BM_CLICK", &e2e::Click}, {"BN_CLICKED to the parent", &e2e::NotifyClicked}};
    const int boxes[] = {IDC_Exec_All,       IDC_Exec_Beacon,   IDC_Exec_Effects,   IDC_Exec_GenBuild,
                         IDC_Exec_Library,   IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks,
                         IDC_DelSRC};
    for (const Way& way : ways) {
        for (int id : boxes) {
            SCOPED_TRACE(::testing::Message() << way.name << ", control " << id);
            // Delete-source starts ticked, the object types clear.
            const LRESULT first = id == IDC_DelSRC ? BST_CHECKED : BST_UNCHECKED;
            const LRESULT second = first == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
            ASSERT_EQ(e2e::GetCheck(Item(id)), first);
            for (LRESULT expected : {second, first}) {
                ASSERT_TRUE(way.click(Item(id)));
                ASSERT_TRUE(Settle());
                EXPECT_EQ(e2e::GetCheck(Item(id)), expected);
            }
        }
    }
}

TEST_F(CheckBoxTest, SettingAllObjectsFromOutsideRunsTheRule) {
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(ClickItem(IDC_Exec_Triggers));
    for (WPARAM state : {BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}) {
        SCOPED_TRACE(state);
        // Sent, so the program has handled it on return.
        ASSERT_TRUE(e2e::SetCheck(Item(IDC_Exec_All), state));
        EXPECT_EQ(e2e::GetCheck(Item(IDC_Exec_All)), static_cast<LRESULT>(state));
        for (int id : kSingleTypes) {
            SCOPED_TRACE(id);
            EXPECT_EQ(IsWindowEnabled(Item(id)) != FALSE, state == BST_UNCHECKED);
        }
        EXPECT_EQ(e2e::GetCheck(Item(IDC_Exec_Triggers)), BST_CHECKED);
    }
}

}  // namespace
