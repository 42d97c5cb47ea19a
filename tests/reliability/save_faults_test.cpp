// Faults while saving: the store on disk stays the old record or becomes the new one, whole; a save that
// cannot be made is reported and leaves nothing behind; links and permissions of the store are kept.

#include "child_process.h"
#include "folder_listing.h"
#include "form_fixture.h"
#include "store_lists.h"

#include "app/texts.h"

#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

class SaveFaultTest : public FormTest {
protected:
    // Starts with the default store, then tries to save list A, which is larger.
    void startThenSaveTheLongList() {
        form->Form_Load();
        ASSERT_TRUE(platform.messages.empty());
        showList(*form, storedList('A'));
        form->SI();
    }

    // In a child that `fault` sets up, a save of list A over the default store is refused and said so once;
    // the old store stays byte for byte, with nothing beside it.
    ChildOutcome expectSaveRefused(const std::function<void()>& fault) {
        writeStore(kDefaultStore);
        const ChildOutcome child = runInChild([&] {
            fault();
            startThenSaveTheLongList();
            expectReportedFailure();
        });
        if (!child.skipped) {
            EXPECT_EQ(storeBytes(), kDefaultStore);
            EXPECT_EQ(entriesOf(folder.path()), std::vector<std::string>{"SIS"});
        }
        return child;
    }

    // The save was refused and said so once; the list stays as the user left it.
    void expectReportedFailure() {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
        EXPECT_NE(platform.messages[0].prompt.find(texts::kSaveFailedPrompt), std::string::npos);
        EXPECT_EQ(listShown(*form), storedList('A'));
    }
};

TEST_F(SaveFaultTest, AReadOnlyFolderKeepsTheOldStoreAndIsReported) {
    const ChildOutcome child = expectSaveRefused([&] {
        becomeUnprivileged(folder.path());
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
}

TEST_F(SaveFaultTest, AReadOnlyStoreFileIsKeptAndReported) {
    const ChildOutcome child = expectSaveRefused([&] {
        becomeUnprivileged(folder.path());
        std::filesystem::permissions(storePath(),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
}

TEST_F(SaveFaultTest, AReadOnlyFileSystemKeepsTheOldStoreAndIsReported) {
    const ChildOutcome child = expectSaveRefused([&] { mountReadOnly(folder.path()); });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
}

TEST_F(SaveFaultTest, AFullDiskKeepsTheOldStoreAndTheNextSaveWithRoomSucceeds) {
    const std::filesystem::path disk = folder.path() / "disk";
    std::filesystem::create_directory(disk);
    const ChildOutcome child = runInChild([&] {
        mountSmallTmpfs(disk, 64 * 1024);
        platform.programFolderPath = disk.string();
        std::ofstream(disk / "SIS", std::ios::binary) << kDefaultStore;
        // Fill what is left, so that not even the new store's first block finds room.
        {
            std::ofstream filler(disk / "filler", std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
            }
        }
        startThenSaveTheLongList();
        expectReportedFailure();
        EXPECT_EQ(contentOf(disk / "SIS"), kDefaultStore);
        EXPECT_EQ(entriesOf(disk), (std::vector<std::string>{"SIS", "filler"}));

        std::filesystem::remove(disk / "filler");
        platform.forget();
        form->SI();
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(contentOf(disk / "SIS"), storeBytesOf(platform, storedList('A')));
    });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
}

TEST_F(SaveFaultTest, AFileSizeLimitKeepsTheOldStoreAndIsReported) {
    const ChildOutcome child = expectSaveRefused([] {
        const rlimit limit{1024, 1024};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    });
    if (child.skipped) {
        GTEST_SKIP() << child.skipReason;
    }
}

struct LinkedStore {
    const char* name;
    std::string linkText; // what the link says, relative to the program's folder unless absolute
    bool targetExists;
};

void PrintTo(const LinkedStore& linked, std::ostream* out) {
    *out << linked.name;
}

class LinkedStores : public SaveFaultTest, public ::testing::WithParamInterface<LinkedStore> {};

TEST_P(LinkedStores, AreWrittenThroughAndStayLinks) {
    const LinkedStore& linked = GetParam();
    const std::string linkText =
        linked.linkText.front() == '/' ? (folder.path() / linked.linkText.substr(1)).string() : linked.linkText;
    const std::filesystem::path target = std::filesystem::absolute(folder.path() / linkText);
    if (linked.targetExists) {
        folder.write(std::filesystem::relative(target, folder.path()).string(), kDefaultStore);
    }
    std::filesystem::create_symlink(linkText, storePath());

    form->Form_Load();
    EXPECT_EQ(items(), kDefaultItems);
    showList(*form, storedList('B'));
    form->SI();
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_TRUE(std::filesystem::is_symlink(storePath()));
    EXPECT_EQ(std::filesystem::read_symlink(storePath()), linkText);
    EXPECT_EQ(contentOf(target), storeBytesOf(platform, storedList('B')));

    MainForm next(platform);
    next.Form_Load();
    EXPECT_EQ(listShown(next), storedList('B'));
    EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Links, LinkedStores,
                         ::testing::Values(LinkedStore{"Relative", "data/real-SIS", true},
                                           LinkedStore{"Absolute", "/elsewhere/SIS", true},
                                           LinkedStore{"Dangling", "not-yet/SIS", false}),
                         [](const ::testing::TestParamInfo<LinkedStore>& info) { return info.param.name; });

TEST_F(SaveFaultTest, ARewriteKeepsTheStoresPermissionsAndOwner) {
    writeStore(kDefaultStore);
    std::filesystem::permissions(storePath(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                                  std::filesystem::perms::group_read);
    // Only root can give the file away; anyone else checks the mode alone.
    const bool root = geteuid() == 0;
    const uid_t owner = root ? 65534 : geteuid();
    const gid_t group = root ? 65534 : getegid();
    ASSERT_EQ(chown(storePath().c_str(), owner, group), 0);

    form->Form_Load();
    showList(*form, storedList('A'));
    form->SI();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(storeBytes(), storeBytesOf(platform, storedList('A')));
    struct stat status {};
    ASSERT_EQ(stat(storePath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(status.st_gid, group);
}

} // namespace
} // namespace hopwick::testing
