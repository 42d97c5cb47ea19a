// Where a save may write: the store that was loaded, or nowhere. A store that could not be read, a folder
// that has gone, a file put in the store's place and a record larger than a load reads are all refused
// with the save-failed box, and nothing is touched.

#include "form_fixture.h"

#include "app/texts.h"

#include <filesystem>

namespace hopwick::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadLimit = 4 * 1024 * 1024;

// The program lives in a folder of its own, so that the folder itself can be moved and replaced.
class StorePlaceTest : public FormTest {
protected:
    StorePlaceTest() { platform.programFolderPath = folder.file("copy"); }

    std::string copyStore() const { return folder.file("copy/SIS"); }
    void startWith(const std::string& record) {
        folder.write("copy/SIS", record);
        start();
    }
    // The one box of a refused save: its prompt, after checking its title and that it names the store.
    std::string refusal() const {
        EXPECT_EQ(platform.messages.size(), 1u);
        if (platform.messages.empty()) {
            return {};
        }
        EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
        EXPECT_TRUE(platform.messages[0].prompt.starts_with(form->StorePath + "\r\n"));
        EXPECT_EQ(fs::path(form->StorePath), fs::path(copyStore()));
        return platform.messages[0].prompt;
    }
    bool saveWasWritten() const {
        for (const std::string& event : platform.events) {
            if (event.starts_with("write: ")) {
                return true;
            }
        }
        return false;
    }
};

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(StorePlaceTest, TheStoresPlaceIsFixedAtStartUp) {
    startWith(storeRecord({"mine"}));
    folder.write("elsewhere/SIS", storeRecord({"other copy"}));
    platform.programFolderPath = folder.file("elsewhere"); // the running program moved into another copy
    form->List1.AddItem("added");
    form->SI();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"mine", "added"}));
    EXPECT_EQ(folder.read("elsewhere/SIS"), storeRecord({"other copy"}));
    form->OpenF();
    EXPECT_EQ(items(), (std::vector<std::string>{"mine", "added"}));
}

TEST_F(StorePlaceTest, AFolderThatHasGoneIsNeverMadeAgain) {
    startWith(storeRecord({"mine"}));
    fs::rename(folder.file("copy"), folder.file("pulled"));
    form->SI();
    EXPECT_TRUE(holds(refusal(), texts::kStoreFolderGonePrompt));
    EXPECT_FALSE(fs::exists(folder.file("copy")));
    EXPECT_EQ(folder.read("pulled/SIS"), storeRecord({"mine"}));
    EXPECT_EQ(items(), std::vector<std::string>{"mine"});
}

TEST_F(StorePlaceTest, AnotherFolderInTheOldPlaceIsLeftAlone) {
    for (const bool withStore : {true, false}) {
        SCOPED_TRACE(withStore ? "another copy's folder" : "an empty folder");
        // A new start, which lets go of the last round's folder first: Windows keeps a folder that is
        // removed while a program holds it until the program lets go.
        form = std::make_unique<MainForm>(platform);
        fs::remove_all(folder.file("copy"));
        startWith(storeRecord({"mine"}));
        fs::rename(folder.file("copy"), folder.file("old"));
        fs::create_directory(folder.file("copy"));
        if (withStore) {
            folder.write("copy/SIS", storeRecord({"theirs"}));
        }
        form->SI();
        EXPECT_TRUE(holds(refusal(), texts::kStoreFolderGonePrompt));
        EXPECT_EQ(fs::exists(copyStore()), withStore);
        if (withStore) {
            EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"theirs"}));
        }
        fs::remove_all(folder.file("old"));
        platform.forget();
    }
}

TEST_F(StorePlaceTest, AFilePutInTheStoresPlaceIsLeftAlone) {
    for (const bool storeAtStart : {true, false}) {
        SCOPED_TRACE(storeAtStart ? "a store at start-up" : "no store at start-up");
        form = std::make_unique<MainForm>(platform); // a new start, as above
        fs::remove_all(folder.file("copy"));
        fs::create_directory(folder.file("copy"));
        if (storeAtStart) {
            startWith(storeRecord({"mine"}));
        } else {
            start();
        }
        const std::string other = folder.write("other", storeRecord({"theirs"}));
        fs::rename(other, copyStore());
        form->SI();
        EXPECT_TRUE(holds(refusal(), texts::kStoreReplacedPrompt));
        EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"theirs"}));
        platform.forget();
    }
}

// Removing the store takes nothing from anyone: the save writes the list again, and the next ones follow.
TEST_F(StorePlaceTest, AStoreRemovedWhileRunningIsWrittenAgain) {
    startWith(storeRecord({"mine"}));
    fs::remove(copyStore());
    form->SI();
    form->List1.AddItem("later");
    form->SI();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"mine", "later"}));
}

TEST_F(StorePlaceTest, ASaveRewritesTheSameFileAndKeepsItsBytes) {
    folder.write("copy/SIS", storeRecord({"mine"}));
    StoreFile store(platform);
    ASSERT_EQ(store.load().kind, StoreFile::Load::Kind::Read);
    const StoreKey loaded = store.key();
    EXPECT_TRUE(loaded.present);
    EXPECT_EQ(store.lastBytes(), storeRecord({"mine"}));
    EXPECT_EQ(store.save(storeRecord({"mine", "added"})), "");
    EXPECT_EQ(store.key(), loaded);
    EXPECT_EQ(store.lastBytes(), storeRecord({"mine", "added"}));
    EXPECT_EQ(store.lastBytes(), folder.read("copy/SIS"));
    EXPECT_EQ(store.lookAgain(), StoreFile::Change::None);
}

TEST_F(StorePlaceTest, AStoreThatCouldNotBeReadIsNeverReplaced) {
    folder.write("copy/SIS", storeRecord({"unseen"}));
    platform.readFailures = {"Input/output error"};
    form->Form_Load();
    EXPECT_EQ(items(), kDefaultItems);
    ASSERT_EQ(platform.messages.size(), 1u); // the damage box, once
    EXPECT_EQ(platform.messages[0].title, texts::kStoreDamagedTitle);
    platform.forget();

    form->SI();
    const std::string prompt = refusal();
    EXPECT_TRUE(holds(prompt, "Input/output error"));
    EXPECT_TRUE(holds(prompt, texts::kStoreNotReadPrompt));
    EXPECT_FALSE(saveWasWritten());
    EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"unseen"}));

    // Once a load has read it, the list shown is the stored one and may be saved again.
    form->OpenF();
    form->List1.AddItem("added");
    form->SI();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"unseen", "added"}));
}

TEST_F(StorePlaceTest, ADamagedStoreThatWasReadIsStillRepaired) {
    startWith("\"a\",\"b");
    form->SI();
    EXPECT_EQ(platform.messages.size(), 0u);
    EXPECT_EQ(folder.read("copy/SIS"), storeRecord({"a", "b"}));
}

TEST_F(StorePlaceTest, ARecordOfExactlyTheReadLimitIsSavedAndReadBack) {
    startWith(storeRecord({}));
    std::vector<std::string> list;
    const std::size_t itemSize = (kReadLimit - 124) / 40;
    for (int i = 0; i < 40; ++i) {
        list.push_back(std::string(itemSize, static_cast<char>('a' + i % 26)));
    }
    list.back() += std::string(kReadLimit - 124 - 40 * itemSize, 'z');
    for (const std::string& item : list) {
        form->List1.AddItem(item);
    }
    form->SI();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(folder.read("copy/SIS").size(), kReadLimit);
    MainForm next(platform);
    next.Form_Load();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(next.List1.entries(), list);
}

TEST_F(StorePlaceTest, ARecordLargerThanALoadReadsIsRefused) {
    startWith(storeRecord({"mine"}));
    // Each item fits the code page, the one name with a character outside it makes the whole record UTF-8.
    const std::string halfWidthKa = "\xEF\xBD\xB6"; // one byte in code page 932, three in UTF-8
    std::string katakana;
    for (std::size_t i = 0; i < kReadLimit / 40 / 2; ++i) {
        katakana += halfWidthKa;
    }
    for (int i = 0; i < 38; ++i) {
        form->List1.AddItem(katakana);
    }
    form->SI();
    ASSERT_TRUE(platform.messages.empty()) << "in code page 932 the list still fits";
    const std::string fitting = folder.read("copy/SIS");
    form->List1.AddItem("\xE2\x9C\x93"); // a check mark: no code page 932 code
    form->SI();
    EXPECT_TRUE(holds(refusal(), texts::kStoreTooLargePrompt));
    EXPECT_EQ(folder.read("copy/SIS"), fitting);
    MainForm next(platform);
    next.Form_Load();
    EXPECT_EQ(next.List1.ListCount(), 39);
}

TEST_F(StorePlaceTest, ARepairedStoreIsNeverWrittenPastTheReadLimit) {
    // Code page 932 half-width katakana up to the limit, with one byte that is no code page 932: the repair
    // replaces it by a character that only UTF-8 holds, and the record would triple.
    std::string damaged = "\"" + std::string(kReadLimit - 10, '\xB6') + "\x81\x20\",\"b\"\r\n";
    folder.write("copy/SIS", damaged);
    form->Form_Load();
    ASSERT_EQ(platform.messages.size(), 1u);
    ASSERT_EQ(platform.messages[0].title, texts::kStoreDamagedTitle);
    platform.forget();
    form->SI();
    EXPECT_TRUE(holds(refusal(), texts::kStoreTooLargePrompt));
    EXPECT_EQ(folder.read("copy/SIS"), damaged);
}

} // namespace
} // namespace hopwick::testing
