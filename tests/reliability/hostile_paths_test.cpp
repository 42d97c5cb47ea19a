// Hostile paths: whatever a user types or drops is added, stored, reloaded and launched as a path, and the
// program that opens it receives it as a path, never as an option or a command.

#include "form_fixture.h"
#include "stand_in.h"
#include "store_lists.h"

#include "app/texts.h"

#include <sys/stat.h>

namespace hopwick::testing {
namespace {

enum class Entry { Typed, Dropped };

class HostilePathTest : public FormTest {
protected:
    HostilePathTest() : opener_(programs_.path(), HOPWICK_HELPER_PATH, {"xdg-open"}) {}

    void addTyped(const std::string& text) {
        form->Label2_Click();
        form->Text1.setTextFromUser(text);
        form->Command20_Click();
        form->Command1_Click();
    }

    void addDropped(const std::string& path) {
        int effect = 0;
        platform.messageAnswers = {MessageAnswer::Yes};
        form->Form_OLEDragDrop(DataObject::files({path}), effect, 1, 0, 10, 10);
    }

    // The text is added, stored, shown again by a fresh start and opened as the file `file` names.
    void expectAddedStoredReloadedAndLaunched(const std::string& text, Entry entry, const std::string& file) {
        start();
        entry == Entry::Typed ? addTyped(text) : addDropped(text);
        ASSERT_EQ(form->List1.entries().back(), text);
        const std::vector<std::string> asked{texts::kDropPrompt};
        ASSERT_EQ(messagePrompts(), entry == Entry::Typed ? std::vector<std::string>{} : asked) << "while adding";
        platform.forget();

        MainForm next(platform);
        next.Form_Load();
        ASSERT_EQ(next.List1.entries(), form->List1.entries());
        ASSERT_EQ(messagePrompts(), std::vector<std::string>{}) << "while reloading";

        next.List1.clickEntry(next.List1.ListCount() - 1);
        ASSERT_EQ(platform.shellCalls.size(), 1u);
        const RecordedShellCall& call = platform.shellCalls[0];
        EXPECT_EQ(call.file, text);
        EXPECT_EQ(platform.SystemPlatform::shellExecute(call.verb, call.file, call.directory, call.showCommand), "");
        expectOpenerReceivedAPathTo(file);
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "pwned"));
    }

    void expectOpenerReceivedAPathTo(const std::string& file) {
        const std::optional<StandInCall> opened = opener_.takeCall();
        ASSERT_TRUE(opened) << "the opener was never started";
        ASSERT_EQ(opened->arguments.size(), 2u) << "the path must reach the opener as one argument";
        const std::string& target = opened->arguments[1];
        EXPECT_NE(target.front(), '-') << target;
        const std::string resolved = target.front() == '/' ? target : opened->directory + "/" + target;
        struct stat named {};
        struct stat expected {};
        ASSERT_EQ(lstat(resolved.c_str(), &named), 0) << resolved;
        ASSERT_EQ(lstat(file.c_str(), &expected), 0) << file;
        EXPECT_EQ(named.st_ino, expected.st_ino) << target << " names another file";
    }

    TempFolder programs_;
    StandInPrograms opener_;
};

struct HostileName {
    const char* name;
    std::string fileName;
    Entry entry;
};

void PrintTo(const HostileName& hostile, std::ostream* out) {
    *out << hostile.name;
}

class HostileNames : public HostilePathTest, public ::testing::WithParamInterface<HostileName> {};

TEST_P(HostileNames, AreAddedStoredReloadedAndOpenedAsPaths) {
    const HostileName& hostile = GetParam();
    const std::string file = folder.write(hostile.fileName, "content");
    // Typed names are relative to the current folder, as a user types them; dropped ones come whole.
    expectAddedStoredReloadedAndLaunched(hostile.entry == Entry::Typed ? hostile.fileName : file, hostile.entry, file);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HostileNames,
    ::testing::Values(HostileName{"DashRf", "-rf", Entry::Typed}, HostileName{"DashDashHelp", "--help", Entry::Typed},
                      HostileName{"DroppedDashName", "-n", Entry::Dropped},
                      HostileName{"Semicolon", "a;touch pwned", Entry::Typed},
                      HostileName{"Pipe", "a|touch pwned", Entry::Typed},
                      HostileName{"Ampersand", "a&touch pwned&", Entry::Typed},
                      HostileName{"CommandSubstitution", "$(touch pwned)", Entry::Typed},
                      HostileName{"Backquotes", "`touch pwned`", Entry::Typed}, HostileName{"Star", "*", Entry::Typed},
                      HostileName{"QuestionMark", "?", Entry::Typed}, HostileName{"SingleQuote", "it's", Entry::Typed},
                      HostileName{"NewlineInside", "two\nlines", Entry::Dropped},
                      HostileName{"CrLfInside", "two\r\nlines,", Entry::Dropped},
                      HostileName{"Latin1NotUtf8", "caf\xE9.txt", Entry::Dropped},
                      HostileName{"CodePage932NotUtf8", "\x82\xA0\x82\xA2.txt", Entry::Dropped},
                      HostileName{"LoneContinuationBytes", "\x80\xBF\xFF", Entry::Dropped}),
    [](const ::testing::TestParamInfo<HostileName>& info) { return std::string(info.param.name); });

TEST_F(HostilePathTest, APathOf4000BytesIsAddedStoredReloadedAndOpened) {
    std::string path = folder.path().string();
    while (path.size() + 201 < 4000) {
        path += "/" + std::string(200, 'd');
    }
    path += "/" + std::string(4000 - path.size() - 1, 'f');
    ASSERT_EQ(path.size(), 4000u);
    folder.write(path.substr(folder.path().string().size() + 1), "content");
    expectAddedStoredReloadedAndLaunched(path, Entry::Typed, path);
}

TEST_F(HostilePathTest, ACommandLineThatLooksLikeAnOptionIsOpenedAsAPath) {
    const std::string file = folder.write("--version", "content");
    form->Form_Load("--version");
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    const RecordedShellCall& call = platform.shellCalls[0];
    EXPECT_EQ(platform.SystemPlatform::shellExecute(call.verb, call.file, call.directory, call.showCommand), "");
    expectOpenerReceivedAPathTo(file);
}

TEST_F(HostilePathTest, ADoubleQuoteIsRefusedBeforeItReachesTheList) {
    const std::string file = folder.write("say \"hi\"", "content");
    start();
    addTyped("say \"hi\"");
    addDropped(file);
    EXPECT_EQ(items(), kDefaultItems);
    // The drop names what it refused, in its one report.
    EXPECT_EQ(messagePrompts(),
              (std::vector<std::string>{texts::kQuoteInPathPrompt, texts::kQuoteInPathPrompt + ("\r\n" + file)}));
    EXPECT_EQ(storeBytes(), kDefaultStore); // the OK after the refused add saved the unchanged list
}

// No file name holds a NUL: a text with one names nothing, whatever the part before it names.
TEST_F(HostilePathTest, ATypedNameWithANulNamesNothing) {
    makeFile("real");
    start();
    form->Label2_Click();
    form->Text1.setTextFromUser(std::string("real\0.txt", 9));
    form->Command20_Click();
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(messagePrompts(), std::vector<std::string>{texts::kNoSuchPathPrompt});
}

// Every way in meets one rule: a name with a NUL is refused with the typed name's reason, nothing is added or
// offered, and the store never holds a NUL.
TEST_F(HostilePathTest, ANameWithANulIsRefusedAtEveryDoorAndNeverStored) {
    const std::string real = makeFile("real");
    const std::string withNul = real + std::string("\0.txt", 5);
    const std::string picture = makePicture("picture.bmp");
    const std::string pictureWithNul = picture + std::string("\0x", 2);
    form->Form_Load(withNul);
    EXPECT_TRUE(platform.shellCalls.empty()) << "the command line names nothing";
    platform.forget();

    form->Label2_Click();
    platform.dialogResults = {withNul};
    form->Command3_Click(); // chosen, then added
    form->Command20_Click();
    platform.dialogResults = {pictureWithNul};
    form->Command4_Click();
    int effect = 0;
    form->Form_OLEDragDrop(DataObject::files({withNul}), effect, 1, 0, 10, 10);
    form->List1_OLEDragDrop(DataObject::files({withNul}), effect, 1, 0, 10, 10);
    // A drop tells what it refused in one box at its end, the name shown without its NUL.
    const std::string dropReport = texts::kNoSuchPathPrompt + std::string("\r\n") + real + "?.txt";
    EXPECT_EQ(messagePrompts(),
              (std::vector<std::string>{texts::kNoSuchPathPrompt, texts::kNoSuchPathPrompt, dropReport, dropReport}));
    ASSERT_EQ(platform.messages.size(), 4u);
    EXPECT_EQ(platform.messages[0].title, texts::kEnterPathTitle);
    EXPECT_EQ(platform.messages[1].title, texts::kEnterPathTitle);
    EXPECT_EQ(platform.messages[2].title, texts::kDropRefusedTitle);
    EXPECT_EQ(platform.messages[3].title, texts::kDropRefusedTitle);
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(form->PicturePath, "");

    // Even a name put into the list past every door is not written.
    platform.forget();
    form->List1.AddItem(withNul);
    form->Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
    EXPECT_FALSE(storeExists());
}

// The rule for names that are not UTF-8: their bytes are kept after a mark of their own, and only that mark
// makes such bytes a name; the same bytes in a store marked as UTF-8 are damage.
TEST_F(HostilePathTest, BytesThatAreNotUtf8AreANameOnlyInAStoreMarkedForThem) {
    const std::string name = "/data/caf\xE9.txt";
    start();
    form->List1.Clear();
    form->List1.AddItem("NotePad");
    form->List1.AddItem(name);
    form->SI();
    EXPECT_EQ(storeBytes(), "\xEF\xBB\xBF#bytes\r\n" + storeRecord({"NotePad", name}));

    writeStore("\xEF\xBB\xBF" + storeRecord({"NotePad", name}));
    form->OpenF();
    EXPECT_EQ(items(), (std::vector<std::string>{"NotePad", "/data/caf\xEF\xBF\xBD.txt"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kStoreDamagedTitle);
}

class AddressesTypedAsPaths : public HostilePathTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(AddressesTypedAsPaths, AreNotFoundReportedAndNothingIsOpened) {
    const std::string address = GetParam() == "file" ? "file://" + makeFile("real.txt") : GetParam();
    start();
    form->Label2_Click();
    form->Text1.setTextFromUser(address);
    form->Command20_Click();
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_EQ(messagePrompts(), std::vector<std::string>{texts::kNoSuchPathPrompt});

    // One that came in with a store is reported on its click and taken off the list, and nothing opens.
    writeStore(storeRecord({"NotePad", address}));
    MainForm next(platform);
    next.Form_Load();
    platform.forget();
    next.List1.clickEntry(1);
    EXPECT_EQ(messagePrompts(), std::vector<std::string>{texts::kWrongPathPrompt});
    EXPECT_EQ(next.List1.entries(), std::vector<std::string>{"NotePad"});
    EXPECT_TRUE(platform.shellCalls.empty());
    EXPECT_FALSE(opener_.takeCall(std::chrono::milliseconds(200)));
}

INSTANTIATE_TEST_SUITE_P(Addresses, AddressesTypedAsPaths,
                         ::testing::Values("file", "https://example.com/index.html", "http://localhost:8080/",
                                           "ftp://example.com/", "mailto:someone@example.com"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             const std::string scheme = info.param.substr(0, info.param.find(':'));
                             return scheme == "file" ? std::string("FileUrl") : scheme;
                         });

} // namespace
} // namespace hopwick::testing
