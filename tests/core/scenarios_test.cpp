#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class ScenarioTest : public FormTest {};

TEST_F(ScenarioTest, AMissingPathComesBackOnCancelAndIsGoneForGoodAfterOk) {
    const std::string gone = folder.file("gone.exe");
    writeStore(storeRecord({"NotePad", gone}));
    start();
    form->List1.clickEntry(1);
    EXPECT_EQ(items(), std::vector<std::string>{"NotePad"});
    form->Command6_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"NotePad", gone}));
    EXPECT_FALSE(form->SetupMode);

    form->List1.clickEntry(1);
    form->Command1_Click();
    EXPECT_EQ(storeBytes(), storeRecord({"NotePad"}));
    EXPECT_EQ(form->Form.Caption(), "Hopwick");
}

TEST_F(ScenarioTest, InitialiseAsksAndThenOkWritesTheDefaultStore) {
    std::vector<std::string> mine;
    for (int i = 0; i < 30; ++i) {
        mine.push_back("/mine/" + std::to_string(i));
    }
    writeStore(storeRecord(mine));
    start();
    form->Label2_Click();
    form->List1.setListIndex(3);
    platform.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    form->Command5_Click();
    EXPECT_EQ(items(), mine);
    EXPECT_EQ(form->List1.ListIndex(), 3);
    form->Command5_Click();
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(form->List1.ListIndex(), -1);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].prompt, expected::kInitialisePrompt);
    EXPECT_EQ(static_cast<int>(platform.messages[0].style), 4);
    EXPECT_EQ(platform.messages[0].title, expected::kInitialiseTitle);
    form->Command1_Click();
    EXPECT_EQ(storeBytes(), kDefaultStore);
}

TEST_F(ScenarioTest, InitialiseThenCancelBeforeAnySaveNeverDoublesTheDefaults) {
    start();
    form->Label2_Click();
    form->Command5_Click();
    form->Command6_Click();
    EXPECT_EQ(items(), kDefaultItems);
}

TEST_F(ScenarioTest, InitialiseKeepsThePicture) {
    const std::string picture = makePicture("keep.bmp");
    writeStore(storeRecord({"a"}, picture));
    start();
    form->Label2_Click();
    form->Command5_Click();
    EXPECT_EQ(form->PicturePath, picture);
    EXPECT_NE(form->Form.Picture(), nullptr);
}

TEST_F(ScenarioTest, CancelWithMoreThanFortyEntriesLeavesNothingBehindPositionForty) {
    writeStore(storeRecord({"a", "b"}));
    start();
    form->Label2_Click();
    for (int i = 0; i < 45; ++i) {
        form->List1.AddItem("extra");
    }
    form->Command6_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ScenarioTest, ExitAfterChangesKeepsTheLastSavedList) {
    writeStore(storeRecord({"saved"}));
    start();
    form->Label2_Click();
    form->List1.AddItem(makeFile("new"));
    form->Label4_Click();
    MainForm next(platform);
    next.Form_Load();
    EXPECT_EQ(next.List1.entries(), std::vector<std::string>{"saved"});
}

} // namespace
} // namespace hopwick::testing
