#include "form_fixture.h"

#include "app/texts.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace hopwick::testing {
namespace {

class ItemStoreTest : public FormTest {};

TEST_F(ItemStoreTest, AFirstRunShowsTheDefaultItemsAndWritesNothing) {
    start();
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(form->List1.ListIndex(), -1);
    EXPECT_EQ(form->Form.Picture(), nullptr);
    EXPECT_EQ(form->PicturePath, "");
    EXPECT_FALSE(storeExists());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ItemStoreTest, TheDefaultItemsAreStoredIn221Bytes) {
    start();
    form->SI();
    EXPECT_EQ(storeBytes(), kDefaultStore);
    EXPECT_EQ(storeBytes().size(), 221u);
    EXPECT_EQ(form->StorePath, storePath());
    EXPECT_EQ(platform.focusMoves.back(), ControlId::Form);
}

TEST_F(ItemStoreTest, AnEmptyListIsStoredIn124BytesAndLoadsEmpty) {
    start();
    form->List1.Clear();
    form->SI();
    EXPECT_EQ(storeBytes(), std::string(storeRecord({})));
    EXPECT_EQ(storeBytes().size(), 124u);
    form->OpenF();
    EXPECT_TRUE(items().empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ItemStoreTest, OnlyTheFirstFortyItemsAreStored) {
    start();
    form->List1.Clear();
    std::vector<std::string> many;
    for (int i = 0; i < 45; ++i) {
        many.push_back("item" + std::to_string(i));
        form->List1.AddItem(many.back());
    }
    form->SI();
    EXPECT_EQ(form->List1.ListCount(), 45); // the list itself keeps them until the next load
    EXPECT_EQ(storeBytes(), storeRecord(std::vector<std::string>(many.begin(), many.begin() + 40)));

    MainForm next(platform);
    next.Form_Load();
    EXPECT_EQ(next.List1.entries(), std::vector<std::string>(many.begin(), many.begin() + 40));
}

TEST_F(ItemStoreTest, PathsWithCommasAndJapaneseAreStoredInCodePage932AndReadBack) {
    const std::string japanese = "C:\\ﾂｰﾙ\\表計算,ﾃﾞｰﾀ.exe";
    writeStore(storeRecord({"first"}));
    start();
    form->List1.AddItem("D:\\a,b\\c.exe");
    form->List1.AddItem(japanese);
    form->SI();
    const std::string encodedJapanese =
        "C:\\\xC2\xB0\xD9\\\x95\x5C\x8C\x76\x8E\x5A,\xC3\xDE\xB0\xC0.exe"; // 表 ends in 0x5C
    EXPECT_EQ(storeBytes(), storeRecord({"first", "D:\\a,b\\c.exe", encodedJapanese}));

    MainForm next(platform);
    next.Form_Load();
    EXPECT_EQ(next.List1.entries(), (std::vector<std::string>{"first", "D:\\a,b\\c.exe", japanese}));
}

TEST_F(ItemStoreTest, TextsThatCodePage932WouldChangeAreStoredInUtf8) {
    // "é" has no code; "¥" would be written as 0x5C and read back as a backslash.
    for (const std::string& text :
         {std::string("/home/me/café.txt"), std::string("C:\\¥100.txt"), std::string("/tmp/\xF0\x9F\x98\x80.png")}) {
        SCOPED_TRACE(text);
        form->List1.Clear();
        form->List1.AddItem("plain");
        form->List1.AddItem(text);
        form->PicturePath = "";
        form->SI();
        EXPECT_EQ(storeBytes(), "\xEF\xBB\xBF" + storeRecord({"plain", text}));
        MainForm next(platform);
        next.Form_Load();
        EXPECT_EQ(next.List1.entries(), (std::vector<std::string>{"plain", text}));
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ItemStoreTest, AFailedSaveKeepsTheOldStoreAndTellsTheUser) {
    writeStore(kDefaultStore);
    start();
    form->List1.AddItem("extra");
    platform.writeFailures.push_back("No space left on device");
    form->SI();
    EXPECT_EQ(storeBytes(), kDefaultStore);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find(storePath()), std::string::npos);
    EXPECT_NE(platform.messages[0].prompt.find("No space left on device"), std::string::npos);
    EXPECT_EQ(form->List1.ListCount(), 16);
}

TEST_F(ItemStoreTest, AListHoldingADoubleQuoteIsNotSaved) {
    writeStore(kDefaultStore);
    start();
    form->List1.AddItem("a\"b");
    form->SI();
    EXPECT_EQ(storeBytes(), kDefaultStore);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find("a\"b"), std::string::npos);
}

TEST_F(ItemStoreTest, ALoadReplacesTheListInsteadOfAddingToIt) {
    writeStore(storeRecord({"a", "b"}));
    start();
    for (int i = 0; i < 45; ++i) {
        form->List1.AddItem("x");
    }
    form->OpenF();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ItemStoreTest, OnlyTrailingEmptyEntriesAreTrimmed) {
    writeStore(storeRecord({"a", "", "b"}));
    start();
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "", "b"}));
}

TEST_F(ItemStoreTest, TheStoredPictureIsShownAndAnEmptyFieldShowsNone) {
    const std::string picture = makePicture("back.bmp");
    writeStore(storeRecord({"a"}, picture));
    start();
    EXPECT_EQ(form->PicturePath, picture);
    ASSERT_NE(form->Form.Picture(), nullptr);

    writeStore(storeRecord({"a"}));
    form->OpenF();
    EXPECT_EQ(form->PicturePath, "");
    EXPECT_EQ(form->Form.Picture(), nullptr);
}

TEST_F(ItemStoreTest, AStoredPictureThatCannotBeLoadedShowsNoneButKeepsItsPath) {
    const std::string missing = folder.file("gone.bmp");
    writeStore(storeRecord({"a"}, missing));
    start();
    EXPECT_EQ(form->Form.Picture(), nullptr);
    EXPECT_EQ(form->PicturePath, missing);
    form->SI();
    EXPECT_EQ(storeBytes(), storeRecord({"a"}, missing));
}

TEST_F(ItemStoreTest, ADamagedStoreLoadsWhatItCanTellsTheUserOnceAndSavesSoundly) {
    writeStore("\"one\",\"two\",  \"three\",\"fo");
    form->Form_Load();
    EXPECT_EQ(items(), (std::vector<std::string>{"one", "two", "three", "fo"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kStoreDamagedTitle);
    form->SI();
    EXPECT_EQ(storeBytes(), storeRecord({"one", "two", "three", "fo"}));
}

TEST_F(ItemStoreTest, InvalidCodePage932BytesAreReplacedAndReported) {
    writeStore(storeRecord({"ok", "bad\x81\x20tail"}));
    form->Form_Load();
    ASSERT_EQ(form->List1.ListCount(), 2);
    EXPECT_EQ(form->List1.List(1), "bad\xEF\xBF\xBD tail");
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ItemStoreTest, AUtf8StoreWithInvalidBytesIsReported) {
    writeStore("\xEF\xBB\xBF" + storeRecord({"ok", "bad\xC3"}));
    form->Form_Load();
    EXPECT_EQ(items(), (std::vector<std::string>{"ok", "bad\xEF\xBF\xBD"}));
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ItemStoreTest, AStoreThatCannotBeReadStartsWithTheDefaultsAndIsReported) {
    std::filesystem::create_directory(storePath()); // a folder where the store should be
    form->Form_Load();
    EXPECT_EQ(items(), kDefaultItems);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find(storePath()), std::string::npos);
}

TEST_F(ItemStoreTest, AnEmptyStoreFileStartsWithTheDefaultsAndIsReported) {
    writeStore("");
    form->Form_Load();
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ItemStoreTest, AnInstalledCopyKeepsItsStoreInTheUsersFolder) {
    platform.installedCopy = true;
    start();
    form->SI();
    const std::string userStore = platform.joinPath(platform.configFolderPath, "SIS");
    EXPECT_EQ(form->StorePath, userStore);
    EXPECT_FALSE(storeExists());
    std::ifstream in(userStore, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, kDefaultStore);
}

// Whoever runs it, root included, and whether or not its folder can be written: a store beside an
// installed program is never read, nor written.
TEST_F(ItemStoreTest, AnInstalledCopyNeverReadsNorWritesAStoreBesideItself) {
    platform.installedCopy = true;
    writeStore(storeRecord({"beside"}));
    folder.write("config/hopwick/SIS", storeRecord({"user"}));
    start();
    EXPECT_EQ(items(), std::vector<std::string>{"user"});
    form->List1.AddItem("added");
    form->SI();
    EXPECT_EQ(storeBytes(), storeRecord({"beside"}));
    EXPECT_EQ(folder.read("config/hopwick/SIS"), storeRecord({"user", "added"}));
}

TEST_F(ItemStoreTest, APortableCopyKeepsItsStoreBesideItselfEvenWhenTheUsersFolderHoldsOne) {
    folder.write("config/hopwick/SIS", storeRecord({"user"}));
    start();
    EXPECT_EQ(items(), kDefaultItems);
    form->SI();
    EXPECT_EQ(storeBytes(), kDefaultStore);
    EXPECT_EQ(folder.read("config/hopwick/SIS"), storeRecord({"user"}));
}

} // namespace
} // namespace hopwick::testing
