// Damaged stores, each through the whole start-up with real files: what can be read is loaded, the user is
// told once, and the next save writes a store that a fresh start reads silently as the same list.

#include "child_process.h"
#include "form_fixture.h"
#include "process_counts.h"
#include "store_lists.h"

#include "app/texts.h"
#include "platform/posix/posix_support.h"
#include "store/store_record.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

class DamagedStoreTest : public FormTest {
protected:
    int damageReports() const {
        int reports = 0;
        for (const RecordedMessage& message : platform.messages) {
            reports += message.title == texts::kStoreDamagedTitle ? 1 : 0;
        }
        return reports;
    }

    // The list as loaded is saved silently, a fresh start reads it back silently, and saving it again
    // changes no byte: the written store is sound.
    void expectSoundSave() {
        const StoredList loaded = listShown(*form);
        platform.forget();
        form->SI();
        EXPECT_TRUE(messagePrompts().empty()) << messagePrompts().front();
        const std::string saved = storeBytes();

        MainForm next(platform);
        next.Form_Load();
        EXPECT_TRUE(messagePrompts().empty()) << "the saved store is reported: " << messagePrompts().front();
        EXPECT_EQ(listShown(next), loaded);
        next.SI();
        EXPECT_EQ(storeBytes(), saved);
    }

    // What stands in the store's place cannot be replaced without destroying it: the save says so.
    void expectSaveRefused() {
        platform.forget();
        form->SI();
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
    }
};

std::string withNuls(std::string text) {
    std::replace(text.begin(), text.end(), '@', '\0');
    return text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::vector<std::string> numbered(const std::string& stem, int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        texts.push_back(stem + std::to_string(i));
    }
    return texts;
}

std::string fieldsOnSeveralLines() {
    std::string bytes;
    for (const std::string& field : numbered("line", 41)) {
        bytes += "\"" + field + "\",\r\n";
    }
    return bytes;
}

std::string manyFields(int count, const std::string& separator = ",") {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "\"" + std::to_string(i) + "\"" + separator;
    }
    return bytes;
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    StoredList expected; // what the first load shows
    bool reported;
};

void PrintTo(const DamagedCase& damaged, std::ostream* out) {
    *out << damaged.name;
}

class DamagedStores : public DamagedStoreTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedStores, LoadWhatCanBeReadTellTheUserOnceAndSaveSoundly) {
    const DamagedCase& damaged = GetParam();
    writeStore(damaged.bytes);
    form->Form_Load();
    EXPECT_EQ(listShown(*form), damaged.expected);
    EXPECT_EQ(damageReports(), damaged.reported ? 1 : 0);
    EXPECT_EQ(platform.messages.size(), damaged.reported ? 1u : 0u);
    expectSoundSave();
}

const std::vector<std::string> kFortyItems = numbered("item", 40);

INSTANTIATE_TEST_SUITE_P(
    Stores, DamagedStores,
    ::testing::Values(
        DamagedCase{"EmptyFile", "", {kDefaultItems, ""}, true},
        DamagedCase{"OnlyCrLf", "\r\n", {kDefaultItems, ""}, true},
        DamagedCase{"FortyFields", formatRecord(kFortyItems), {kFortyItems, ""}, true},
        DamagedCase{"UnterminatedQuote", "\"one\",\"two\",\"thr", {{"one", "two", "thr"}, ""}, true},
        DamagedCase{"NulBytes", withNuls(storeRecord({"a@b", "@c@"}, "pic@")), {{"ab", "c"}, "pic"}, true},
        DamagedCase{"FieldNotOpeningWithAQuote",
                    replaced(storeRecord({"X", "b"}), "\"X\"", "plain text"),
                    {{"plain text", "b"}, ""},
                    true},
        DamagedCase{"QuoteInsideAnUnquotedField",
                    replaced(storeRecord({"X", "b"}), "\"X\"", "pla\"in"),
                    {{"plain", "b"}, ""},
                    true},
        DamagedCase{
            "SpacesBeforeAQuote", replaced(storeRecord({"a", "b"}), ",\"b\"", ",   \"b\""), {{"a", "b"}, ""}, true},
        // The format reads fields alike on one line or on several: such a store is sound.
        DamagedCase{"FieldsOnSeveralLines", fieldsOnSeveralLines(), {numbered("line", 40), "line40"}, false},
        DamagedCase{"InvalidCodePage932LeadAndTrailBytes",
                    storeRecord({"end\x81", "\x81\x7Ftrail", "\x80\xA0\xFD", "ok\x95\x5C"}),
                    {{std::string("end") + kReplacement, kReplacement + std::string("\x7Ftrail"),
                      std::string(kReplacement) + kReplacement + kReplacement, "ok表"},
                     ""},
                    true},
        DamagedCase{
            "Utf8MarkThenInvalidUtf8",
            "\xEF\xBB\xBF" + storeRecord({"caf\xC3", "\xFF\xFEok", "good é"}),
            {{"caf" + std::string(kReplacement), std::string(kReplacement) + kReplacement + "ok", "good é"}, ""},
            true},
        // Whatever follows the 41st field is not read, so it cannot be told from a sound store.
        DamagedCase{"HundredThousandFields", manyFields(100000), {numbered("", 40), "40"}, false}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

TEST_F(DamagedStoreTest, A200MegabyteStoreWithoutALineBreakIsReadInBoundedMemoryAndTime) {
    writeStore(manyFields(60));
    // The rest is a hole: 200 MB to read for a reader that does not stop, no disk for one that does.
    std::filesystem::resize_file(storePath(), 200u * 1024 * 1024);
    const std::uint64_t readBefore = bytesReadSoFar();
    const auto started = std::chrono::steady_clock::now();
    form->Form_Load();
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(bytesReadSoFar() - readBefore, 8u * 1024 * 1024);
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_EQ(listShown(*form), (StoredList{numbered("", 40), "40"}));
    EXPECT_TRUE(platform.messages.empty());
    expectSoundSave();
}

TEST_F(DamagedStoreTest, AStoreThatIsAFolderIsReportedAndNeverReplaced) {
    const std::string inside = folder.write("SIS/keep.txt", "the user's own file");
    form->Form_Load();
    EXPECT_EQ(listShown(*form), (StoredList{kDefaultItems, ""}));
    EXPECT_EQ(damageReports(), 1);

    expectSaveRefused();
    EXPECT_TRUE(std::filesystem::is_directory(storePath()));
    EXPECT_EQ(folder.read("SIS/keep.txt"), "the user's own file");
    EXPECT_EQ(std::filesystem::directory_iterator(folder.path() / "SIS")->path(), inside);
}

TEST_F(DamagedStoreTest, AStoreWithoutReadPermissionIsReportedAndKept) {
    const std::string stored = storeRecord({"mine"});
    writeStore(stored);
    std::filesystem::permissions(storePath(), std::filesystem::perms::none);
    const ChildOutcome child = runInChild([&] {
        becomeUnprivileged(folder.path());
        form->Form_Load();
        EXPECT_EQ(listShown(*form), (StoredList{kDefaultItems, ""}));
        ASSERT_EQ(damageReports(), 1);
        EXPECT_NE(platform.messages[0].prompt.find(storePath()), std::string::npos);

        // Saving over a store that could not be read would lose it; the user made it so, it stays.
        expectSaveRefused();
    });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
    EXPECT_EQ(storeBytes(), stored);
    EXPECT_EQ(std::filesystem::status(storePath()).permissions(), std::filesystem::perms::none);
}

// Writable but not readable (mode 0200): the list in it has not been seen, so no save may replace it, not
// even though the system would let one write it.
TEST_F(DamagedStoreTest, AStoreThatCanBeWrittenButNotReadIsNeverReplaced) {
    const std::string stored = storeRecord({"mine"});
    writeStore(stored);
    std::filesystem::permissions(storePath(), std::filesystem::perms::owner_write);
    const ChildOutcome child = runInChild([&] {
        becomeUnprivileged(folder.path());
        form->Form_Load();
        EXPECT_EQ(listShown(*form), (StoredList{kDefaultItems, ""}));
        ASSERT_EQ(damageReports(), 1);

        form->Label2_Click();
        form->Command1_Click(); // OK, which used to write the 15 defaults over the list
        ASSERT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(platform.messages[1].title, texts::kSaveFailedTitle);
        EXPECT_NE(platform.messages[1].prompt.find(texts::kStoreNotReadPrompt), std::string::npos);
        EXPECT_NE(platform.messages[1].prompt.find(posix::errorText(EACCES)), std::string::npos);
    });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
    std::filesystem::permissions(storePath(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(storeBytes(), stored);
}

// Stores that are no file at all: a reader that waited for a writer or for an end would hang the start-up.
struct SpecialStore {
    const char* name;
    std::function<void(const std::string& store)> make;
};

void PrintTo(const SpecialStore& special, std::ostream* out) {
    *out << special.name;
}

class SpecialStores : public DamagedStoreTest, public ::testing::WithParamInterface<SpecialStore> {};

TEST_P(SpecialStores, AreReportedAtOnceAndLeftAlone) {
    GetParam().make(storePath());
    const auto started = std::chrono::steady_clock::now();
    form->Form_Load();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(listShown(*form), (StoredList{kDefaultItems, ""}));
    EXPECT_EQ(damageReports(), 1);

    expectSaveRefused();
    std::error_code loop;
    EXPECT_FALSE(std::filesystem::is_regular_file(storePath(), loop));
}

INSTANTIATE_TEST_SUITE_P(
    NoFiles, SpecialStores,
    ::testing::Values(
        SpecialStore{"FifoWithoutAWriter", [](const std::string& store) { ASSERT_EQ(mkfifo(store.c_str(), 0644), 0); }},
        SpecialStore{"LinkToAnEndlessDevice",
                     [](const std::string& store) { std::filesystem::create_symlink("/dev/zero", store); }},
        SpecialStore{"LinkToItself", [](const std::string& store) { std::filesystem::create_symlink(store, store); }}),
    [](const ::testing::TestParamInfo<SpecialStore>& info) { return std::string(info.param.name); });

} // namespace
} // namespace hopwick::testing
