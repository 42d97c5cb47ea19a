#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class ShortcutsTest : public FormTest {
protected:
    void SetUp() override { start(); }
    int16_t formKey(char letter, int16_t shift) {
        int16_t code = letter;
        form->Form_KeyDown(code, shift);
        return code;
    }
};

TEST_F(ShortcutsTest, EnterInThePathInputAddsWhateverTheShiftState) {
    const std::string file = makeFile("enter.exe");
    form->Text1.setText(file);
    for (int16_t shift : {0, 1, 2}) {
        int16_t key = 13;
        form->Text1_KeyDown(key, shift);
        EXPECT_EQ(key, 13); // the key is neither changed nor swallowed
    }
    EXPECT_EQ(form->List1.ListCount(), 18);
    int16_t other = 'A';
    form->Text1_KeyDown(other, 0);
    EXPECT_EQ(form->List1.ListCount(), 18);
}

TEST_F(ShortcutsTest, EnterWithAnEmptyPathShowsTheEmptyTextMessage) {
    int16_t key = 13;
    form->Text1_KeyDown(key, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, expected::kEmptyText);
}

TEST_F(ShortcutsTest, ADoubleClickChoosesAPictureOnlyInSetupMode) {
    form->Form_DblClick();
    EXPECT_TRUE(platform.dialogs.empty());
    form->Label2_Click();
    form->Form_DblClick();
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].filter, expected::kPictureFilter);
}

TEST_F(ShortcutsTest, HelpOpensANewMailThroughTheShell) {
    form->Label3_Click();
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].verb, "open");
    EXPECT_TRUE(platform.shellCalls[0].file.starts_with("mailto:"));
    EXPECT_GT(platform.shellCalls[0].file.size(), 7u);
    EXPECT_EQ(platform.shellCalls[0].directory, folder.path().string());
    EXPECT_EQ(platform.shellCalls[0].showCommand, 5);
}

TEST_F(ShortcutsTest, ExitClosesTheWindowWithoutSaving) {
    form->Label2_Click();
    form->List1.AddItem("unsaved");
    form->Label4_Click();
    EXPECT_TRUE(platform.closed);
    EXPECT_FALSE(storeExists());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ShortcutsTest, AltLettersRunTheSetupCommandsOnlyInSetupMode) {
    EXPECT_EQ(formKey('I', 4), 'I');
    EXPECT_EQ(formKey('D', 4), 'D');
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_FALSE(form->accessKeysActive());

    form->Label2_Click();
    EXPECT_TRUE(form->accessKeysActive());
    EXPECT_EQ(formKey('D', 4), 0); // delete: the first item
    EXPECT_EQ(form->List1.ListCount(), 14);
    EXPECT_EQ(formKey('C', 4), 0); // choose
    EXPECT_EQ(formKey('P', 4), 0); // picture
    EXPECT_EQ(platform.dialogs.size(), 2u);
    platform.messageAnswers = {kAnswerYes};
    EXPECT_EQ(formKey('I', 4), 0); // initialise
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(formKey('S', 4), 0); // add: the path input is empty
    EXPECT_EQ(platform.messages.back().prompt, expected::kEmptyText);
    EXPECT_EQ(formKey('E', 4), 0);   // delete the picture
    EXPECT_EQ(formKey('D', 0), 'D'); // a plain letter is typing, not a command
    EXPECT_EQ(formKey('D', 6), 'D'); // nor is Ctrl+Alt
    EXPECT_EQ(formKey('X', 4), 'X');
}

} // namespace
} // namespace hopwick::testing
