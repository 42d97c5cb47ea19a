#include "form_fixture.h"

#include "app/texts.h"
#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class LaunchTest : public FormTest {
protected:
    void click(int index) { form->List1.clickEntry(index); }
};

TEST_F(LaunchTest, EveryBuiltinToolStartsItsProgramFile) {
    start();
    const std::vector<std::string> programs{"Notepad.exe", "Pbrush.exe",  "Explorer.exe", "Write.exe",
                                            "Calc.exe",    "Telnet.exe",  "Ftp.exe",      "C:\\WINDOWS\\command.com",
                                            "Defrag.exe",  "Regedit.exe", "Scandskw.exe", "Dialer.exe",
                                            "Winfile.exe", "Progman.exe", "Wangimg.exe"};
    for (int i = 0; i < 15; ++i) {
        click(i);
    }
    ASSERT_EQ(platform.starts.size(), 15u);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        EXPECT_EQ(platform.starts[i].programFile, programs[i]);
        EXPECT_EQ(static_cast<int>(platform.starts[i].windowStyle), 1);
    }
    EXPECT_TRUE(platform.shellCalls.empty());
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_FALSE(form->SetupMode);
}

TEST_F(LaunchTest, ClickingTheSelectedItemAgainStartsASecondCopy) {
    start();
    click(4);
    click(4);
    EXPECT_EQ(platform.starts.size(), 2u);
}

TEST_F(LaunchTest, AnExistingPathIsOpenedThroughTheShellInTheCurrentDirectory) {
    const std::string document = makeFile("note.txt");
    std::filesystem::create_directory(folder.path() / "sub");
    writeStore(storeRecord({document, folder.file("sub"), "note.txt"}));
    start();
    click(0);
    click(1);
    click(2); // relative: found against the current directory and handed on as it stands
    ASSERT_EQ(platform.shellCalls.size(), 3u);
    EXPECT_EQ(platform.shellCalls[0].verb, "open");
    EXPECT_EQ(platform.shellCalls[0].file, document);
    EXPECT_EQ(platform.shellCalls[0].directory, folder.path().string());
    EXPECT_EQ(static_cast<int>(platform.shellCalls[0].showCommand), 5);
    EXPECT_EQ(platform.shellCalls[1].file, folder.file("sub"));
    EXPECT_EQ(platform.shellCalls[2].file, "note.txt");
    EXPECT_TRUE(platform.starts.empty());
}

// A system without a way to open files says why at the first open, under the window's title for it; later
// opens, of items, help or the command line, would only repeat it.
TEST_F(LaunchTest, AShellThatCannotOpenIsToldOnceWithTheSystemsReason) {
    const std::string document = makeFile("note.txt");
    writeStore(storeRecord({document}));
    start();
    platform.shellFailures = {"no opener", "no opener", "no opener"};
    click(0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, "no opener");
    EXPECT_EQ(platform.messages[0].title, expected::kShellOpenFailedTitle);
    EXPECT_EQ(platform.messages[0].style, MessageStyle::Ok);
    click(0);
    form->Label3_Click();
    EXPECT_EQ(platform.shellCalls.size(), 3u);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(items(), std::vector<std::string>{document}); // an item that exists stays, whatever the shell says
}

TEST_F(LaunchTest, AHiddenFileRegisteredAsAnItemOpens) {
    const std::string hidden = makeFile(".secret");
    writeStore(storeRecord({hidden}));
    start();
    click(0);
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].file, hidden);
}

TEST_F(LaunchTest, AMissingPathIsReportedRemovedAndSetupModeBegins) {
    writeStore(storeRecord({"NotePad", folder.file("gone.exe"), "Calc"}));
    start();
    click(1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, expected::kWrongPath);
    EXPECT_EQ(static_cast<int>(platform.messages[0].style), 0);
    EXPECT_EQ(platform.messages[0].title, "INCORRECT");
    EXPECT_EQ(items(), (std::vector<std::string>{"NotePad", "Calc"}));
    EXPECT_TRUE(form->SetupMode);
    EXPECT_EQ(form->Form.Caption(), expected::kSetupCaption);
    EXPECT_EQ(form->SavedCaption, "Hopwick");
    EXPECT_EQ(storeBytes(), storeRecord({"NotePad", folder.file("gone.exe"), "Calc"})); // untouched
    EXPECT_TRUE(platform.shellCalls.empty());
}

TEST_F(LaunchTest, ToolNamesMatchOnlyExactly) {
    writeStore(storeRecord({"notepad", "NotePad ", "Notepad"}));
    start();
    click(0);
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_EQ(items(), (std::vector<std::string>{"NotePad ", "Notepad"}));
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(LaunchTest, InSetupModeAClickStartsNothing) {
    start();
    form->Label2_Click();
    platform.forget();
    click(0);
    form->List1.setListIndex(3);
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form->List1.ListIndex(), 3);
}

TEST_F(LaunchTest, AToolThatCannotStartIsReportedAndNothingChanges) {
    start();
    platform.startResults.push_back({false, "no equivalent is installed"});
    click(14);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find("Wangimg.exe"), std::string::npos);
    EXPECT_NE(platform.messages[0].prompt.find("no equivalent is installed"), std::string::npos);
    EXPECT_EQ(platform.messages[0].title, texts::kLaunchFailedTitle);
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(form->List1.ListIndex(), 14);
    EXPECT_FALSE(form->SetupMode);
}

TEST_F(LaunchTest, ASearchThatFailsInItselfNeverRemovesTheItem) {
    writeStore(storeRecord({"/mnt/offline/tool"}));
    start();
    platform.searchFailures.push_back("Input/output error");
    click(0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find("/mnt/offline/tool"), std::string::npos);
    EXPECT_NE(platform.messages[0].prompt.find("Input/output error"), std::string::npos);
    EXPECT_EQ(items(), std::vector<std::string>{"/mnt/offline/tool"});
    EXPECT_FALSE(form->SetupMode);
}

TEST_F(LaunchTest, ShellMetacharactersAreHandedOnAsOnePath) {
    const std::string odd = makeFile("a; rm -rf ~ $(touch x)");
    writeStore(storeRecord({odd}));
    start();
    click(0);
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].file, odd);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "x"));
}

} // namespace
} // namespace hopwick::testing
