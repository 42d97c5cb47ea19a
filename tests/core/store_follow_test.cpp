// Another process saving into the same store: a window in normal mode shows what is stored, a drop saves over
// the current store, and OK over a changed store asks before it overwrites.

#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class StoreFollowTest : public FormTest {
protected:
    void drop(const std::vector<std::string>& names) {
        int effect = 0;
        form->Form_OLEDragDrop(DataObject::files(names), effect, 1, 0, 10, 10);
    }
    std::string changedQuestion() const { return storePath() + "\r\n" + expected::kStoreChangedQuestion; }
    // A window started over the store {"a"}, in setup mode, with "mine" added to its list.
    void startEditing() {
        writeStore(storeRecord({"a"}));
        start();
        form->Label2_Click();
        form->List1.AddItem("mine");
    }
    // As startEditing, and then another process saves {"a", "theirs"}; returns what it stored.
    std::string editWhileAnotherProcessSaves() {
        startEditing();
        std::string theirs = storeRecord({"a", "theirs"});
        writeStore(theirs);
        return theirs;
    }
    int writes() const {
        int count = 0;
        for (const std::string& event : platform.events) {
            count += event.starts_with("write: ") ? 1 : 0;
        }
        return count;
    }
};

TEST_F(StoreFollowTest, NormalModeShowsWhatAnotherProcessStoredAsAFreshStartWould) {
    writeStore(storeRecord({"a"}));
    start();
    const std::string picture = makePicture("back.bmp");
    writeStore(storeRecord({"a", "b"}, picture));
    form->storeChangedOnDisk();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(form->PicturePath, picture);
    EXPECT_EQ(platform.shownPictures, std::vector<std::string>{picture});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(writes(), 0);

    // A store removed meanwhile shows the default items, as a first start does.
    std::filesystem::remove(storePath());
    form->storeChangedOnDisk();
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(StoreFollowTest, ADamagedChangeIsToldOnceNotAtEveryLook) {
    writeStore(storeRecord({"a"}));
    start();
    writeStore("\"x\",\"unterminated");
    form->storeChangedOnDisk();
    form->storeChangedOnDisk();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "ｱｲﾃﾑ の読み込み");
}

TEST_F(StoreFollowTest, ItsOwnSaveIsNotTakenForAChange) {
    writeStore(storeRecord({"a"}));
    start();
    drop({"/own"});
    platform.forget();
    form->storeChangedOnDisk();
    EXPECT_TRUE(platform.shownPictures.empty()); // nothing was loaded again
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "/own"}));
}

TEST_F(StoreFollowTest, SetupModeKeepsTheUsersEditsWhenTheStoreChanges) {
    writeStore(storeRecord({"a", "b"}));
    start();
    form->Label2_Click();
    form->List1.RemoveItem(0);
    writeStore(storeRecord({"a", "b", "c"}));
    form->storeChangedOnDisk();
    EXPECT_EQ(items(), std::vector<std::string>{"b"});
    EXPECT_TRUE(form->SetupMode);
}

TEST_F(StoreFollowTest, ADropInNormalModeSavesOverTheCurrentStoreEvenIfItChangedDuringTheQuestion) {
    writeStore(storeRecord({"a"}));
    start();
    writeStore(storeRecord({"a", "b"})); // not yet seen by the window
    platform.whileMessageShown = {[] {}, [&] { writeStore(storeRecord({"a", "b", "/one", "c"})); }};
    drop({"/one", "/two"});
    EXPECT_EQ(storeBytes(), storeRecord({"a", "b", "/one", "c", "/two"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b", "/one", "c", "/two"}));
    EXPECT_EQ(platform.messages.size(), 2u); // the two questions only
}

TEST_F(StoreFollowTest, ADropThatFindsTheFollowedListFullIsRefusedAndTheOtherListKept) {
    writeStore(storeRecord(std::vector<std::string>(39, "s")));
    start();
    const std::string full = storeRecord(std::vector<std::string>(40, "t"));
    platform.whileMessageShown = {[&] { writeStore(full); }};
    drop({"/late"});
    EXPECT_EQ(storeBytes(), full);
    EXPECT_EQ(form->List1.ListCount(), 40);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].prompt, std::string(expected::kListFull) + "\r\n/late");
}

TEST_F(StoreFollowTest, OkOverAnUnchangedStoreSavesWithoutAQuestion) {
    startEditing();
    form->Command1_Click();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(storeBytes(), storeRecord({"a", "mine"}));
}

TEST_F(StoreFollowTest, OkOverAStoreRemovedMeanwhileWritesItAgainWithoutAQuestion) {
    startEditing();
    std::filesystem::remove(storePath());
    form->Command1_Click();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(storeBytes(), storeRecord({"a", "mine"}));
}

TEST_F(StoreFollowTest, OkOverAChangedStoreAsksAndYesOverwritesIt) {
    editWhileAnotherProcessSaves();
    platform.messageAnswers = {MessageAnswer::Yes};
    form->Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, changedQuestion());
    EXPECT_EQ(platform.messages[0].title, expected::kStoreChangedTitle);
    EXPECT_EQ(platform.messages[0].style, MessageStyle::YesNo);
    EXPECT_EQ(storeBytes(), storeRecord({"a", "mine"}));
    EXPECT_FALSE(form->SetupMode);
    // Saved now: a second OK does not ask again.
    form->Label2_Click();
    form->Command1_Click();
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(StoreFollowTest, YesOverwritesAStoreThatAnotherProcessCreatedOrPutInItsPlace) {
    start(); // no store yet
    form->Label2_Click();
    form->List1.AddItem("mine");
    writeStore(storeRecord({"theirs"}));
    platform.messageAnswers = {MessageAnswer::Yes};
    form->Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, expected::kStoreChangedTitle);
    EXPECT_EQ(items().back(), "mine");
    EXPECT_EQ(storeBytes(), storeRecord(items()));

    // Removed and written anew: another file in the same folder, overwritten once the user says so.
    form->Label2_Click();
    form->List1.AddItem("again");
    std::filesystem::remove(storePath());
    writeStore(storeRecord({"other"}));
    platform.messageAnswers = {MessageAnswer::Yes};
    form->Command1_Click();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].title, expected::kStoreChangedTitle);
    EXPECT_EQ(items().back(), "again");
    EXPECT_EQ(storeBytes(), storeRecord(items()));
}

TEST_F(StoreFollowTest, NoKeepsTheOtherListAndShowsIt) {
    const std::string theirs = editWhileAnotherProcessSaves();
    platform.messageAnswers = {MessageAnswer::No};
    form->Command1_Click();
    EXPECT_EQ(storeBytes(), theirs);
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "theirs"}));
    EXPECT_FALSE(form->SetupMode);
    EXPECT_EQ(writes(), 0);
}

TEST_F(StoreFollowTest, ClosingTheQuestionStaysInSetupModeWithNothingWritten) {
    const std::string theirs = editWhileAnotherProcessSaves();
    platform.messageAnswers = {MessageAnswer::Cancel};
    form->Command1_Click();
    EXPECT_EQ(storeBytes(), theirs);
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "mine"}));
    EXPECT_TRUE(form->SetupMode);
}

TEST_F(StoreFollowTest, AFailedSaveAfterYesKeepsTheListAndAsksAgainAtTheNextOk) {
    const std::string theirs = editWhileAnotherProcessSaves();
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.writeFailures = {"disk full"};
    form->Command1_Click();
    EXPECT_EQ(storeBytes(), theirs);
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "mine"}));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].title, "ｾｰﾌﾞ できません。");
    form->Label2_Click();
    platform.messageAnswers = {MessageAnswer::Yes};
    form->Command1_Click();
    EXPECT_EQ(platform.messages[2].prompt, changedQuestion());
    EXPECT_EQ(storeBytes(), storeRecord({"a", "mine"}));
}

TEST_F(StoreFollowTest, ADropInSetupModeOverAChangedStoreAsksToo) {
    editWhileAnotherProcessSaves();
    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No}; // add the file; do not overwrite
    drop({"/dropped"});
    EXPECT_EQ(platform.messages[1].prompt, changedQuestion());
    EXPECT_EQ(storeBytes(), storeRecord({"a", "theirs", "/dropped"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "theirs", "/dropped"}));
}

} // namespace
} // namespace hopwick::testing
