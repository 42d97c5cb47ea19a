#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class SetupModeTest : public FormTest {
protected:
    void expectNormalMode() {
        EXPECT_FALSE(form->SetupMode);
        EXPECT_EQ(form->Form.Height(), 2175);
        EXPECT_EQ(form->Form.Width(), 7080);
        EXPECT_EQ(form->Form.Caption(), "Hopwick");
        EXPECT_FALSE(form->Label2.FontBold());
        EXPECT_EQ(form->Command1.BackColor(), 0x8000000Fu);
    }
};

TEST_F(SetupModeTest, EnteringMakesTheWindowTallAndFocusesThePathInput) {
    start();
    form->Label2_Click();
    EXPECT_TRUE(form->SetupMode);
    EXPECT_EQ(form->Form.Height(), 3285);
    EXPECT_EQ(form->Form.Width(), 7080);
    EXPECT_EQ(form->Form.Caption(), expected::kSetupCaption);
    EXPECT_TRUE(form->Label2.FontBold());
    EXPECT_EQ(form->Command1.BackColor(), 0x00C0C0FFu);
    EXPECT_EQ(form->SavedCaption, "Hopwick");
    EXPECT_EQ(form->focusedControl(), ControlId::Text1);
}

TEST_F(SetupModeTest, OnlyTheSetupLabelChangesItsWeight) {
    start();
    const auto weights = [this] {
        return std::vector<bool>{form->Label1.FontBold(), form->Label2.FontBold(), form->Label3.FontBold(),
                                 form->Label4.FontBold()};
    };
    // The path label and the exit label are bold by design, the setup label and the help label regular.
    EXPECT_EQ(weights(), (std::vector<bool>{true, false, false, true}));
    form->Label2_Click();
    EXPECT_EQ(weights(), (std::vector<bool>{true, true, false, true}));
    form->Command6_Click();
    EXPECT_EQ(weights(), (std::vector<bool>{true, false, false, true}));
}

TEST_F(SetupModeTest, OkWithoutChangesWritesTheListAndRestoresNormalMode) {
    start();
    form->Label2_Click();
    form->Label2_Click(); // twice: the caption saved on entry is kept
    form->Command1_Click();
    expectNormalMode();
    EXPECT_EQ(storeBytes(), kDefaultStore);
    EXPECT_EQ(items(), kDefaultItems);
    // The list has had the focus; the save leaves it on the window.
    ASSERT_GE(platform.focusMoves.size(), 2u);
    EXPECT_EQ(platform.focusMoves[platform.focusMoves.size() - 2], ControlId::List1);
    EXPECT_EQ(platform.focusMoves.back(), ControlId::Form);
}

TEST_F(SetupModeTest, CancelReloadsTheStoredList) {
    writeStore(storeRecord({"a", "b"}));
    start();
    form->Label2_Click();
    form->List1.AddItem("added");
    form->List1.AddItem("again");
    form->Text1.setText("kept text");
    form->Command6_Click();
    expectNormalMode();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(form->Text1.Text(), "kept text");
    EXPECT_EQ(storeBytes(), storeRecord({"a", "b"}));
}

TEST_F(SetupModeTest, TheSwitchLeavesTheSelectionTextAndPictureAlone) {
    const std::string picture = makePicture("p.gif");
    writeStore(storeRecord({"a", "b"}, picture));
    start();
    form->Label2_Click();
    form->List1.setListIndex(1);
    form->Text1.setText("typed");
    form->Command1_Click();
    EXPECT_EQ(form->List1.ListIndex(), 1);
    EXPECT_EQ(form->Text1.Text(), "typed");
    EXPECT_EQ(form->PicturePath, picture);
    EXPECT_NE(form->Form.Picture(), nullptr);
    EXPECT_EQ(storeBytes(), storeRecord({"a", "b"}, picture));
}

// What takes keyboard input follows what the window shows: the top strip in normal mode, everything in setup mode.
TEST_F(SetupModeTest, OnlyTheTopStripIsInViewInNormalMode) {
    start();
    const auto shown = [this] {
        std::vector<std::string> names;
        for (const ControlSpec& spec : controlTable()) {
            if (form->controlInView(spec.id)) {
                names.emplace_back(spec.name);
            }
        }
        return names;
    };
    const std::vector<std::string> topStrip{"List1", "Label4", "Label2"};
    EXPECT_EQ(shown(), topStrip);
    form->Label2_Click();
    EXPECT_EQ(shown().size(), controlTable().size()); // the "Help!" label too, though it reaches past the edge
    form->Command6_Click();
    EXPECT_EQ(shown(), topStrip);
    form->Label2_Click();
    form->Command1_Click();
    EXPECT_EQ(shown(), topStrip);
}

} // namespace
} // namespace hopwick::testing
