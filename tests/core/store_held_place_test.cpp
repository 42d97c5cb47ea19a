// The store's place is held from start-up: a stick pulled or another one mounted at the same path (here a
// folder moved away or replaced), or a link put in the store's place, is never taken as the store, whether a
// drop, OK or the watch comes next. The window keeps its list and says so once.

#include "form_fixture.h"

#include "app/texts.h"

#include <filesystem>

namespace hopwick::testing {
namespace {

namespace fs = std::filesystem;

class StoreHeldPlaceTest : public FormTest {
protected:
    StoreHeldPlaceTest() { platform.programFolderPath = folder.file("stick"); }
    void startWith(const std::vector<std::string>& items) {
        folder.write("stick/SIS", storeRecord(items));
        start();
    }
};

TEST_F(StoreHeldPlaceTest, APulledStickAndTwoDropsWriteNothingAndKeepTheList) {
    startWith({"mine"});
    fs::rename(folder.file("stick"), folder.file("pulled"));
    fs::create_directory(folder.file("stick")); // the empty mount point left behind
    dropFile("/one");
    dropFile("/two");
    EXPECT_FALSE(fs::exists(folder.file("stick/SIS")));
    EXPECT_EQ(folder.read("pulled/SIS"), storeRecord({"mine"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"mine", "/one", "/two"}));
    EXPECT_EQ(boxesTitled(texts::kStoreLostTitle), 1);
    EXPECT_EQ(boxesTitled(texts::kSaveFailedTitle), 2);
}

TEST_F(StoreHeldPlaceTest, AnotherStickAtTheSamePathIsNeitherWrittenNorShown) {
    startWith({"stick A"});
    fs::rename(folder.file("stick"), folder.file("A"));
    folder.write("stick/SIS", storeRecord({"stick B"}));
    form->storeChangedOnDisk();
    EXPECT_EQ(items(), std::vector<std::string>{"stick A"});
    dropFile("/dropped");
    EXPECT_EQ(folder.read("stick/SIS"), storeRecord({"stick B"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"stick A", "/dropped"}));

    // OK does not ask whether to overwrite another window's save: it is none. It refuses.
    platform.forget();
    form->Label2_Click();
    form->Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
    EXPECT_EQ(folder.read("stick/SIS"), storeRecord({"stick B"}));
    // Cancel shows the store's own content as last seen: the drop was never stored.
    form->Label2_Click();
    form->Command6_Click();
    EXPECT_EQ(items(), std::vector<std::string>{"stick A"});
}

TEST_F(StoreHeldPlaceTest, ALinkInTheStoresPlaceIsNeverFollowed) {
    startWith({"mine"});
    const std::string other = folder.write("other", "the user's own file");
    fs::remove(folder.file("stick/SIS"));
    std::error_code noLinks;
    fs::create_symlink(other, folder.file("stick/SIS"), noLinks);
    if (noLinks) {
        GTEST_SKIP() << "the system makes no symbolic links here (Wine): " << noLinks.message();
    }
    form->storeChangedOnDisk();
    dropFile("/dropped");
    EXPECT_EQ(folder.read("other"), "the user's own file");
    EXPECT_EQ(items(), (std::vector<std::string>{"mine", "/dropped"}));
    EXPECT_EQ(boxesTitled(texts::kStoreLostTitle), 1);
    EXPECT_EQ(boxesTitled(texts::kSaveFailedTitle), 1);
}

TEST_F(StoreHeldPlaceTest, AFilePutInPlaceOnPurposeBecomesTheStoreOnlyAfterYes) {
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        SCOPED_TRACE(answer == MessageAnswer::Yes ? "Yes" : "No");
        fs::remove_all(folder.file("stick"));
        form = std::make_unique<MainForm>(platform);
        startWith({"mine"});
        const std::string edited = folder.write("stick/SIS.edited", storeRecord({"edited"}));
        fs::rename(edited, folder.file("stick/SIS"));
        platform.messageAnswers = {answer};
        form->storeChangedOnDisk();
        form->storeChangedOnDisk(); // asked once
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].title, texts::kStoreReplacedTitle);
        EXPECT_EQ(items(), std::vector<std::string>{answer == MessageAnswer::Yes ? "edited" : "mine"});
        // Yes saves the edited list; No refuses, and the edited file stays as it is.
        form->SI();
        EXPECT_EQ(platform.messages.size(), answer == MessageAnswer::Yes ? 1u : 2u);
        EXPECT_EQ(folder.read("stick/SIS"), storeRecord({"edited"}));
        platform.forget();
    }
}

} // namespace
} // namespace hopwick::testing
