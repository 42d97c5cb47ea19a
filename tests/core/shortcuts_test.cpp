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
    EXPECT_EQ(static_cast<int>(platform.shellCalls[0].showCommand), 5);
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
    platform.messageAnswers = {MessageAnswer::Yes};
    EXPECT_EQ(formKey('I', 4), 0); // initialise
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(formKey('S', 4), 0); // add: the path input is empty
    EXPECT_EQ(platform.messages.back().prompt, expected::kEmptyText);
    EXPECT_EQ(formKey('E', 4), 0);   // delete the picture
    EXPECT_EQ(formKey('D', 0), 'D'); // a plain letter is typing, not a command
    EXPECT_EQ(formKey('D', 6), 'D'); // nor is Ctrl+Alt
    EXPECT_EQ(formKey('X', 4), 'X');
}

// The setup label's shortcut works from normal mode, where the label is; "Help!"'s only while "Help!" is in view.
TEST_F(ShortcutsTest, F2EntersSetupModeAndF1OpensHelpOnlyWhileHelpIsInView) {
    EXPECT_EQ(formKey(static_cast<char>(kKeyF1), 0), kKeyF1);
    EXPECT_TRUE(platform.shellCalls.empty());
    EXPECT_EQ(formKey(static_cast<char>(kKeyF2), kShiftMask), kKeyF2); // with a modifier it is another key
    EXPECT_FALSE(form->SetupMode);

    EXPECT_EQ(formKey(static_cast<char>(kKeyF2), 0), 0);
    EXPECT_TRUE(form->SetupMode);
    EXPECT_EQ(form->focusedControl(), ControlId::Text1);
    EXPECT_EQ(formKey(static_cast<char>(kKeyF1), 0), 0);
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_TRUE(platform.shellCalls[0].file.starts_with("mailto:"));
}

// Every window shortcut is named by the tooltip of the control whose handler it runs, where that has a tooltip.
TEST_F(ShortcutsTest, TheTooltipsNameTheFunctionKeys) {
    EXPECT_TRUE(controlSpec(ControlId::Label2).tooltip.ends_with("(F2)"));
    EXPECT_TRUE(controlSpec(ControlId::Label3).tooltip.ends_with("(F1)"));
    EXPECT_TRUE(takesKeyboardFocus(ControlId::Label2));
    EXPECT_TRUE(takesKeyboardFocus(ControlId::Label3));
    EXPECT_FALSE(takesKeyboardFocus(ControlId::Label1));
}

class ListKeysTest : public FormTest {
protected:
    void SetUp() override {
        start();
        form->List1.setRowsInView(5);
    }
    int16_t listKey(int16_t code, int16_t shift = 0) {
        form->List1_KeyDown(code, shift);
        return code;
    }
};

// Down to the fifth entry, End, Home, the page keys: the selection moves and nothing starts, in normal mode.
TEST_F(ListKeysTest, MovingTheSelectionStartsNothing) {
    const std::vector<std::pair<int16_t, int>> moves{{kKeyDown, 0},     {kKeyDown, 1},    {kKeyRight, 2}, {kKeyDown, 3},
                                                     {kKeyDown, 4},     {kKeyUp, 3},      {kKeyLeft, 2},  {kKeyEnd, 14},
                                                     {kKeyDown, 14},    {kKeyPageUp, 10}, {kKeyHome, 0},  {kKeyUp, 0},
                                                     {kKeyPageDown, 4}, {kKeyPageDown, 8}};
    for (const auto& [key, selected] : moves) {
        EXPECT_EQ(listKey(key), 0) << key;
        EXPECT_EQ(form->List1.ListIndex(), selected) << key;
    }
    EXPECT_EQ(listKey(kKeyDown, kShiftMask), 0);
    EXPECT_EQ(form->List1.ListIndex(), 9);
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_TRUE(platform.shellCalls.empty());
    EXPECT_FALSE(form->SetupMode);
    EXPECT_EQ(listKey(kKeyDown, kCtrlMask), kKeyDown); // no rule: the key goes on
}

TEST_F(ListKeysTest, EndFromNothingSelectedTakesTheLastEntryAndEveryOtherMoveTheFirst) {
    EXPECT_EQ(listKey(kKeyEnd), 0);
    EXPECT_EQ(form->List1.ListIndex(), 14);
    form->List1.setListIndex(-1);
    EXPECT_EQ(listKey(kKeyPageUp), 0);
    EXPECT_EQ(form->List1.ListIndex(), 0);
}

TEST_F(ListKeysTest, EnterAndSpaceStartTheSelectedEntryAndNothingWithoutOne) {
    EXPECT_EQ(listKey(kKeySpace), 0);
    EXPECT_EQ(listKey(kKeyEnter), 0);
    EXPECT_TRUE(platform.starts.empty());
    listKey(kKeyDown);
    listKey(kKeyDown); // Paint
    EXPECT_EQ(listKey(kKeyEnter), 0);
    EXPECT_EQ(listKey(kKeySpace), 0);
    ASSERT_EQ(platform.starts.size(), 2u);
    EXPECT_EQ(platform.starts[0].programFile, "Pbrush.exe");
    EXPECT_EQ(platform.starts[1].programFile, "Pbrush.exe");
}

// A stale path passed over by the keys stays in the list: only starting it reports it.
TEST_F(ListKeysTest, PassingOverAStalePathKeepsIt) {
    form->List1.AddItem(folder.path().string() + "/gone.exe");
    EXPECT_EQ(listKey(kKeyEnd), 0);
    EXPECT_EQ(form->List1.ListCount(), 16);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(form->SetupMode);
    EXPECT_EQ(listKey(kKeyEnter), 0);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(form->List1.ListCount(), 15);
    EXPECT_TRUE(form->SetupMode);
}

// A letter or digit selects the next entry that begins with it, in either case, round the end; it starts nothing.
TEST_F(ListKeysTest, ATypedLetterSelectsTheNextEntryBeginningWithIt) {
    form->List1.AddItem("calendar");
    form->List1.AddItem("7zip");
    const std::vector<std::pair<int16_t, int>> letters{{'C', 4}, {'C', 15}, {'C', 4}, {'D', 7},
                                                       {'D', 8}, {'7', 16}, {'Q', 16}};
    for (const auto& [key, selected] : letters) {
        EXPECT_EQ(listKey(key), 0) << key;
        EXPECT_EQ(form->List1.ListIndex(), selected) << static_cast<char>(key);
    }
    EXPECT_EQ(listKey('N', kShiftMask), 0);
    EXPECT_EQ(form->List1.ListIndex(), 0);
    EXPECT_EQ(listKey('N', kAltMask), 'N'); // Alt with a letter is the window's
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(ListKeysTest, InSetupModeTheKeysMoveAsInNormalModeAndStartNothing) {
    form->Label2_Click();
    listKey(kKeyDown);
    EXPECT_EQ(listKey(kKeyEnter), 0);
    EXPECT_EQ(form->List1.ListIndex(), 0);
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(ListKeysTest, AnEmptyListSwallowsTheKeysAndDoesNothing) {
    form->List1.Clear();
    for (const int16_t key : {kKeyDown, kKeyEnd, kKeyEnter, int16_t('A')}) {
        EXPECT_EQ(listKey(key), 0);
        EXPECT_EQ(form->List1.ListIndex(), -1);
    }
}

// After Add the new entry is asked into view, without being selected.
TEST_F(ShortcutsTest, AnAddAsksTheViewToShowTheNewEntry) {
    const std::string file = makeFile("shown.exe");
    form->Label2_Click();
    form->Text1.setText(file);
    const unsigned before = form->List1.scrollRequests();
    form->Command20_Click();
    EXPECT_EQ(form->List1.scrollRequests(), before + 1);
    EXPECT_EQ(form->List1.entryToShow(), 15);
    EXPECT_EQ(form->List1.ListIndex(), -1);
}

} // namespace
} // namespace hopwick::testing
