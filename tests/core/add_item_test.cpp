#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class AddItemTest : public FormTest {
protected:
    void SetUp() override {
        writeStore(storeRecord({"a"}));
        start();
        form->Label2_Click();
        platform.forget();
    }
    void add(const std::string& text) {
        form->Text1.setText(text);
        form->Command20_Click();
    }
    void expectRefused(const char* prompt, const char* title) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].prompt, prompt);
        EXPECT_EQ(static_cast<int>(platform.messages[0].style), 0);
        EXPECT_EQ(platform.messages[0].title, title);
        EXPECT_EQ(platform.beeps, 1);
        ASSERT_GE(platform.events.size(), 2u);
        EXPECT_EQ(platform.events[platform.events.size() - 2], "beep"); // the beep comes first
        EXPECT_EQ(form->focusedControl(), ControlId::Text1);
    }
};

TEST_F(AddItemTest, AnExistingPathIsAppendedAsTypedAndFocusGoesToOk) {
    const std::string file = makeFile("tool.exe");
    add(file);
    add(file); // no test for repeats
    add("tool.exe");
    EXPECT_EQ(items(), (std::vector<std::string>{"a", file, file, "tool.exe"}));
    EXPECT_EQ(form->Text1.Text(), "tool.exe");
    EXPECT_EQ(form->focusedControl(), ControlId::Command1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(storeBytes(), storeRecord({"a"})); // only in memory until OK
}

TEST_F(AddItemTest, FoldersHiddenFilesAndMatchingWildcardsCount) {
    std::filesystem::create_directory(folder.path() / "dir");
    makeFile("dir/run.exe");
    makeFile(".hidden");
    add(folder.file("dir"));
    add(folder.file("dir") + "/*.exe");
    add(folder.file(".hidden"));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", folder.file("dir"), folder.file("dir") + "/*.exe",
                                                 folder.file(".hidden")}));
}

TEST_F(AddItemTest, AnEmptyTextIsRefused) {
    add("");
    expectRefused(expected::kEmptyText, expected::kEnterPath);
    EXPECT_EQ(items(), std::vector<std::string>{"a"});
}

TEST_F(AddItemTest, APathThatNamesNothingIsRefused) {
    add("Calc"); // a tool's name is no path
    expectRefused(expected::kNoSuchPath, expected::kEnterPath);
    platform.forget();
    add("   "); // blanks are not empty
    expectRefused(expected::kNoSuchPath, expected::kEnterPath);
    EXPECT_EQ(items(), std::vector<std::string>{"a"});
}

TEST_F(AddItemTest, AFortyFirstItemIsRefusedRatherThanLostAtTheNextStart) {
    const std::string file = makeFile("f");
    for (int i = 1; i < 40; ++i) {
        add(file);
    }
    ASSERT_EQ(form->List1.ListCount(), 40);
    ASSERT_TRUE(platform.messages.empty());
    add(file);
    expectRefused(expected::kListFull, expected::kListFullTitle);
    EXPECT_EQ(form->List1.ListCount(), 40);
}

TEST_F(AddItemTest, APathWithADoubleQuoteIsRefused) {
    std::string file;
    try {
        file = makeFile("say \"hi\".txt");
    } catch (const std::exception&) {
        GTEST_SKIP() << "this file system allows no double quote in a name (Windows)";
    }
    add(file);
    expectRefused(expected::kQuoteInPath, expected::kEnterPath);
    EXPECT_EQ(items(), std::vector<std::string>{"a"});
}

TEST_F(AddItemTest, ChoosingFillsThePathInputWithTheKeptName) {
    const std::string chosen = makeFile("chosen.exe");
    platform.dialogResults = {std::nullopt, chosen, std::nullopt};
    form->Text1.setText("typed");
    form->Command3_Click(); // cancelled before any choice: the text is emptied
    EXPECT_EQ(form->Text1.Text(), "");
    form->Command3_Click();
    EXPECT_EQ(form->Text1.Text(), chosen);
    form->Text1.setText("other");
    form->Command3_Click(); // cancelled: the earlier choice comes back
    EXPECT_EQ(form->Text1.Text(), chosen);

    ASSERT_EQ(platform.dialogs.size(), 3u);
    EXPECT_EQ(platform.dialogs[0].flags, 4);
    EXPECT_EQ(platform.dialogs[0].filter, expected::kItemFilter);
    EXPECT_EQ(platform.dialogs[0].fileName, "");
    EXPECT_EQ(platform.dialogs[2].fileName, chosen);
    EXPECT_EQ(items(), std::vector<std::string>{"a"}); // choosing adds nothing
    EXPECT_EQ(platform.focusMoves.back(), ControlId::Form);
    EXPECT_EQ(platform.focusMoves[platform.focusMoves.size() - 2], ControlId::Command20);
}

TEST_F(AddItemTest, AConfirmedChoiceMakesTheChosenFoldersTheCurrentDirectory) {
    std::filesystem::create_directory(folder.path() / "programs");
    const std::string chosen = makeFile("programs/run.exe");
    platform.dialogResults = {chosen};
    form->Command3_Click();
    EXPECT_EQ(std::filesystem::current_path(), folder.path() / "programs");
    add("run.exe"); // relative to the new current directory
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "run.exe"}));
}

} // namespace
} // namespace hopwick::testing
