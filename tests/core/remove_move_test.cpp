#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class EditListTest : public FormTest {
protected:
    void setUpList(const std::vector<std::string>& list, int selected) {
        writeStore(storeRecord(list));
        start();
        form->Label2_Click();
        form->List1.setListIndex(selected);
        platform.forget();
    }
    void expectMessage(const char* prompt) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].prompt, prompt);
        EXPECT_EQ(static_cast<int>(platform.messages[0].style), 0);
        EXPECT_EQ(platform.messages[0].title, ""); // the application's title shows
    }
};

TEST_F(EditListTest, DeleteRemovesTheSelectedItemOrElseTheFirst) {
    setUpList({"x", "y", "z", "w"}, 2);
    form->Command2_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"x", "y", "w"}));
    EXPECT_EQ(form->List1.ListIndex(), -1);
    form->Command2_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"y", "w"}));
    EXPECT_EQ(form->focusedControl(), ControlId::List1);
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_EQ(storeBytes(), storeRecord({"x", "y", "z", "w"}));
}

TEST_F(EditListTest, DeleteOnAnEmptyListOnlyBeeps) {
    setUpList({"only"}, 0);
    form->Command2_Click();
    EXPECT_TRUE(items().empty());
    form->Command2_Click();
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form->focusedControl(), ControlId::List1);
}

TEST_F(EditListTest, DeleteOutsideSetupModeLaunchesTheFirstItemThenRemovesIt) {
    writeStore(storeRecord({"Calc", "b"}));
    start();
    form->Command2_Click();
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].programFile, "Calc.exe");
    EXPECT_EQ(items(), std::vector<std::string>{"b"});
}

TEST_F(EditListTest, DeleteWhoseOwnLaunchRemovedTheItemRemovesNothingMore) {
    writeStore(storeRecord({folder.file("gone"), "b", "c"}));
    start();
    form->Command2_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(form->SetupMode);
    EXPECT_EQ(platform.messages.size(), 1u);
}

struct MoveCase {
    const char* name;
    bool up;
    int selected;
    std::vector<std::string> after;
    int selectedAfter;
    bool edge;
};

class MoveTest : public EditListTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, MovesOrStepsAwayFromTheEdge) {
    const MoveCase& c = GetParam();
    setUpList({"X", "Y", "Z"}, c.selected);
    c.up ? form->Command8_Click() : form->Command9_Click();
    EXPECT_EQ(items(), c.after);
    EXPECT_EQ(form->List1.ListIndex(), c.selectedAfter);
    EXPECT_EQ(form->focusedControl(), ControlId::List1);
    if (c.edge) {
        expectMessage(c.up ? expected::kTopEdge : expected::kBottomEdge);
        EXPECT_EQ(platform.beeps, c.up ? 0 : 1); // only the move down beeps
    } else {
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(platform.beeps, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, MoveTest,
                         ::testing::Values(MoveCase{"UpFromTheBottom", true, 2, {"X", "Z", "Y"}, 1, false},
                                           MoveCase{"DownFromTheTop", false, 0, {"Y", "X", "Z"}, 1, false},
                                           MoveCase{"UpAtTheTop", true, 0, {"X", "Y", "Z"}, 1, true},
                                           MoveCase{"DownAtTheBottom", false, 2, {"X", "Y", "Z"}, 1, true},
                                           MoveCase{"DownWithNothingSelected", false, -1, {"Y", "X", "Z"}, 1, false},
                                           MoveCase{"UpWithNothingSelected", true, -1, {"X", "Y", "Z"}, 1, true}),
                         [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(EditListTest, OneEntryMovedDownClearsTheSelection) {
    setUpList({"only"}, 0);
    form->Command9_Click();
    EXPECT_EQ(form->List1.ListIndex(), -1);
    EXPECT_EQ(platform.beeps, 1);
    expectMessage(expected::kBottomEdge);
}

TEST_F(EditListTest, OneEntryMovedUpStaysSelectedWithTheUpMessage) {
    setUpList({"only"}, 0);
    form->Command8_Click();
    EXPECT_EQ(items(), std::vector<std::string>{"only"});
    EXPECT_EQ(form->List1.ListIndex(), 0);
    expectMessage(expected::kTopEdge);
}

TEST_F(EditListTest, MovesOnAnEmptyListOnlyBeep) {
    setUpList({}, -1);
    form->Command8_Click();
    form->Command9_Click();
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(EditListTest, AnEmptyEntryBelowIsTheLowerEdge) {
    setUpList({"a", "", "b"}, 0);
    form->Command9_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "", "b"}));
    expectMessage(expected::kBottomEdge);
}

TEST_F(EditListTest, MovesInSetupModeNeverLaunch) {
    setUpList({"NotePad", "Calc", "Paint"}, 1);
    form->Command8_Click();
    form->Command9_Click();
    form->Command9_Click();
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_EQ(items(), (std::vector<std::string>{"NotePad", "Paint", "Calc"}));
}

} // namespace
} // namespace hopwick::testing
