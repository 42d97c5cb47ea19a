#include "app/list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hopwick {
namespace {

class CountingHost final : public ControlHost {
public:
    void focusControl(ControlId control) override { focus.push_back(control); }
    void controlChanged(ControlId) override { ++changes; }
    std::vector<ControlId> focus;
    int changes = 0;
};

class ListBoxTest : public ::testing::Test {
protected:
    ListBoxTest() {
        list.setClickHandler([this] {
            clicks.push_back(list.ListIndex());
            if (onClick) {
                onClick();
            }
        });
    }
    void fill(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            list.AddItem(text);
        }
    }

    CountingHost host;
    ListBox list{host};
    std::vector<int> clicks; // the selected position seen by each click
    std::function<void()> onClick;
};

TEST_F(ListBoxTest, ReadingAtOrPastTheEndYieldsTheEmptyText) {
    EXPECT_EQ(list.List(0), "");
    fill({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o"});
    EXPECT_EQ(list.List(14), "o");
    EXPECT_EQ(list.List(15), "");
    EXPECT_EQ(list.List(39), "");
    EXPECT_EQ(list.List(-1), "");
    EXPECT_EQ(list.ListCount(), 15);
}

TEST_F(ListBoxTest, SettingAnEntryReplacesBelowTheCountAndAppendsAtIt) {
    fill({"a", "b"});
    list.setList(1, "B");
    list.setList(2, "c");
    list.setList(4, "refused");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"a", "B", "c"}));
}

TEST_F(ListBoxTest, SelectingAnEntryRunsTheClickBeforeTheSettingReturns) {
    fill({"a", "b", "c"});
    bool returned = false;
    onClick = [&] { EXPECT_FALSE(returned) << "the click ran after the setting returned"; };
    list.setListIndex(2);
    returned = true;
    EXPECT_EQ(clicks, std::vector<int>{2});
    EXPECT_EQ(list.ListIndex(), 2);
}

TEST_F(ListBoxTest, OnlyAChangeToAnEntryIsReportedAsAClick) {
    fill({"a", "b", "c"});
    list.setListIndex(1);
    list.setListIndex(1);  // unchanged
    list.setListIndex(-1); // cleared: no entry to report
    list.setSelected(0, true);
    EXPECT_EQ(clicks, (std::vector<int>{1, 0}));
}

TEST_F(ListBoxTest, AMouseClickOnTheSelectedEntryIsReportedAgain) {
    fill({"a", "b"});
    list.clickEntry(1);
    list.clickEntry(1);
    EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
}

TEST_F(ListBoxTest, AMoveOfTheSelectionIsShownButNeverReportedAsAClick) {
    fill({"a", "b", "c"});
    list.moveSelection(1);
    list.moveSelection(2);
    list.moveSelection(3); // beyond the last entry: refused
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(host.changes, 5); // three entries added, two moves
    list.clickEntry(2);         // the same entry clicked afterwards still starts
    EXPECT_EQ(clicks, std::vector<int>{2});
}

TEST_F(ListBoxTest, APositionBeyondTheLastEntryIsRefused) {
    list.setListIndex(0);
    EXPECT_EQ(list.ListIndex(), -1);
    fill({"a", "b"});
    list.setListIndex(1);
    list.setListIndex(2);
    list.clickEntry(5);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(clicks, std::vector<int>{1});
}

TEST_F(ListBoxTest, AtMostOneEntryIsSelected) {
    fill({"a", "b", "c"});
    list.setSelected(0, true);
    list.setSelected(2, true);
    EXPECT_FALSE(list.Selected(0));
    EXPECT_FALSE(list.Selected(1));
    EXPECT_TRUE(list.Selected(2));
    list.setSelected(1, false); // not the selected one: nothing changes
    EXPECT_EQ(list.ListIndex(), 2);
    list.setSelected(2, false);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_FALSE(list.Selected(-1));
}

TEST_F(ListBoxTest, RemovingAndClearingLeaveNothingSelected) {
    fill({"a", "b", "c"});
    list.setListIndex(1);
    list.RemoveItem(0);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(list.ListIndex(), -1);
    list.setListIndex(1);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    list.RemoveItem(0); // nothing there: no failure
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(ListBoxTest, InsertingKeepsTheSelectionOnItsEntryAndAllowsRepeatsAndEmptyTexts) {
    fill({"a", "b"});
    list.setListIndex(1);
    list.AddItem("x", 0);
    list.AddItem("");
    list.AddItem("a");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"x", "a", "b", "", "a"}));
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(list.List(list.ListIndex()), "b");
}

TEST_F(ListBoxTest, AClickHandlerMayRemoveTheEntryItWasRaisedFor) {
    fill({"a", "b"});
    onClick = [&] { list.RemoveItem(list.ListIndex()); };
    list.setListIndex(0);
    EXPECT_EQ(list.entries(), std::vector<std::string>{"b"});
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListBoxTest, ChangesAreShownAndFocusGoesToTheList) {
    list.AddItem("a");
    list.setListIndex(0);
    list.SetFocus();
    EXPECT_EQ(host.changes, 2);
    EXPECT_EQ(host.focus, std::vector<ControlId>{ControlId::List1});
}

} // namespace
} // namespace hopwick
