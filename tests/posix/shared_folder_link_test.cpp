// In a sticky folder that anyone may write (/tmp, a shared folder), a symbolic link that another user put
// there is not followed, by a read or by a save, whatever the kernel's protected_symlinks says.

#include "posix_test_support.h"
#include "store_saves.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

constexpr uid_t kOtherUser = 65534;

class SharedFolderLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "only root can make a link that belongs to another user";
        }
        victim = temp.write("private/victim", "precious");
        std::filesystem::create_directory(temp.path() / "shared");
        ASSERT_EQ(chmod(temp.file("shared").c_str(), 01777), 0);
    }
    // A link to the victim in the shared folder, owned by `owner`.
    std::string linkOwnedBy(uid_t owner) const {
        const std::string link = temp.file("shared/SIS");
        std::filesystem::create_symlink(victim, link);
        EXPECT_EQ(lchown(link.c_str(), owner, owner), 0);
        return link;
    }

    TempFolder temp;
    WindowlessPlatform platform;
    std::string victim;
};

TEST_F(SharedFolderLinkTest, ALinkOfAnotherUserIsNeitherReadNorWrittenThrough) {
    const std::string link = linkOwnedBy(kOtherUser);
    const FileRead read = platform.readFile(link, 100);
    EXPECT_EQ(read.status, FileRead::Status::Failed);
    EXPECT_EQ(read.bytes, "");
    EXPECT_NE(read.error, "");
    const FileWrite write = replaceFile(platform, link, "overwritten");
    EXPECT_FALSE(write.written);
    EXPECT_EQ(write.error, read.error);
    EXPECT_EQ(temp.read("private/victim"), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(folderEntries(temp.file("shared")), std::vector<std::string>{"SIS"});
}

TEST_F(SharedFolderLinkTest, OurOwnLinkOrTheFolderOwnersIsFollowed) {
    const std::string link = linkOwnedBy(0);
    EXPECT_EQ(platform.readFile(link, 100).bytes, "precious");
    ASSERT_TRUE(replaceFile(platform, link, "written").written);
    EXPECT_EQ(temp.read("private/victim"), "written");
}

// Outside a sticky folder that anyone may write, the owner of a link does not matter.
TEST_F(SharedFolderLinkTest, InAnOrdinaryFolderAnyLinkIsFollowed) {
    ASSERT_EQ(chmod(temp.file("shared").c_str(), 0755), 0);
    const std::string link = linkOwnedBy(kOtherUser);
    ASSERT_TRUE(replaceFile(platform, link, "written").written);
    EXPECT_EQ(temp.read("private/victim"), "written");
}

} // namespace
} // namespace hopwick::testing
