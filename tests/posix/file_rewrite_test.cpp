// A save rewrites the store in place from a flushed copy: the file stays the same file (hard links, extended
// attributes, access lists), readers never see half of it, and a copy that a dead writer left is put in whole.

#include "posix_test_support.h"
#include "store_saves.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <latch>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace hopwick::testing {
namespace {

struct stat statusOf(const std::string& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status;
}

// Whether thread `thread` of this process waits for a lock: in flock, or in the pause between two tries.
bool waitsForALock(pid_t thread) {
    std::ifstream in("/proc/self/task/" + std::to_string(thread) + "/syscall");
    long call = -1;
    in >> call;
    return call == SYS_flock || call == SYS_clock_nanosleep || call == SYS_nanosleep;
}

std::optional<std::string> attribute(const std::string& path, const char* name) {
    std::string value(256, '\0');
    const ssize_t length = getxattr(path.c_str(), name, value.data(), value.size());
    if (length < 0) {
        return std::nullopt;
    }
    value.resize(static_cast<std::size_t>(length));
    return value;
}

// An access list in the kernel's xattr form: owner rw, user 65534 r, group r, mask r, others nothing.
std::string accessList() {
    struct Entry {
        uint16_t tag;
        uint16_t permissions;
        uint32_t id;
    };
    const uint32_t version = 2;
    const Entry entries[] = {{0x01, 6, ~0u}, {0x02, 4, 65534}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}};
    std::string bytes(reinterpret_cast<const char*>(&version), sizeof version);
    bytes.append(reinterpret_cast<const char*>(entries), sizeof entries);
    return bytes;
}

class FileRewriteTest : public ::testing::Test {
protected:
    TempFolder temp;
    WindowlessPlatform platform;
};

TEST_F(FileRewriteTest, AStoreWithSeveralNamesStaysOneFileThatEveryNameShows) {
    const std::string path = temp.write("SIS", "old content");
    ASSERT_EQ(link(path.c_str(), temp.file("second name").c_str()), 0);
    const ino_t inode = statusOf(path).st_ino;
    ASSERT_TRUE(replaceFile(platform, path, "new").written);
    EXPECT_EQ(temp.read("SIS"), "new");
    EXPECT_EQ(temp.read("second name"), "new");
    EXPECT_EQ(statusOf(path).st_ino, inode);
    EXPECT_EQ(statusOf(path).st_nlink, 2u);
    EXPECT_EQ(folderEntries(temp.path()), (std::vector<std::string>{"SIS", "second name"}));
}

TEST_F(FileRewriteTest, ExtendedAttributesAndAccessListsSurviveASave) {
    const std::string path = temp.write("SIS", "old");
    if (setxattr(path.c_str(), "user.hopwick.note", "kept", 4, 0) != 0) {
        GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
    }
    const std::string acl = accessList();
    const bool withAcl = setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
    const std::optional<std::string> aclBefore = attribute(path, "system.posix_acl_access");

    ASSERT_TRUE(replaceFile(platform, path, "a longer new content").written);
    EXPECT_EQ(temp.read("SIS"), "a longer new content");
    EXPECT_EQ(attribute(path, "user.hopwick.note"), "kept");
    if (withAcl) {
        EXPECT_EQ(attribute(path, "system.posix_acl_access"), aclBefore);
    } else {
        std::cout << "no access lists on this file system: only the user attribute was checked\n";
    }
}

TEST_F(FileRewriteTest, ACompleteCopyOfADeadWriterIsPutInWholeAndNothingElse) {
    const std::string path = temp.write("SIS", "new contOLD CONTENT, LONGER"); // torn mid-copy
    const pid_t dead = deadProcessId();
    temp.write(copyName("SIS", dead, ".new"), "new content");
    temp.write(copyName("SIS", dead, ".tmp"), "new co");      // an unfinished copy: only removed
    temp.write(copyName("SIS", getpid(), ".new"), "running"); // a save still running
    temp.write(copyName("OTHER", dead, ".new"), "another file's");
    const ino_t inode = statusOf(path).st_ino;

    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(temp.read("SIS"), "new content");
    EXPECT_EQ(statusOf(path).st_ino, inode);
    EXPECT_EQ(folderEntries(temp.path()),
              (std::vector<std::string>{copyName("OTHER", dead, ".new"), copyName("SIS", getpid(), ".new"), "SIS"}));
}

TEST_F(FileRewriteTest, ACopyOfAnotherUserIsNeverPutIntoOurFile) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    const std::string path = temp.write("SIS", "mine");
    const pid_t dead = deadProcessId();
    const std::string planted = temp.write(copyName("SIS", dead, ".new"), "planted");
    ASSERT_EQ(chown(planted.c_str(), 65534, 65534), 0);
    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(temp.read("SIS"), "mine");
}

// A later whole save makes an older torn one's copy out of date: the next start must not put it back.
TEST_F(FileRewriteTest, ASaveDiscardsTheCopiesOfDeadWriters) {
    const std::string path = temp.write("SIS", "torn");
    const pid_t dead = deadProcessId();
    temp.write(copyName("SIS", dead, ".new"), "older save");
    ASSERT_TRUE(replaceFile(platform, path, "newest save").written);
    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(temp.read("SIS"), "newest save");
    EXPECT_EQ(folderEntries(temp.path()), std::vector<std::string>{"SIS"});
}

TEST_F(FileRewriteTest, ACopyWhoseFileWasRemovedIsRemovedToo) {
    const pid_t dead = deadProcessId();
    temp.write(copyName("SIS", dead, ".new"), "orphan");
    recoverInterruptedSaves(platform, temp.file("SIS"));
    EXPECT_TRUE(folderEntries(temp.path()).empty());
}

// A reader waits for the lock that a save holds while it copies in place, so it sees the whole content.
TEST_F(FileRewriteTest, AReadWaitsForASaveThatHoldsTheFile) {
    const std::string path = temp.write("SIS", "whole old");
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    ASSERT_EQ(pwrite(fd, "half", 4, 0), 4);
    std::latch started{2};
    pid_t readerThread = 0;
    std::string seen;
    std::thread reader([&] {
        readerThread = gettid();
        started.arrive_and_wait();
        seen = platform.readFile(path, 100).bytes;
    });
    started.arrive_and_wait();
    EXPECT_TRUE(waitUntil([&] { return waitsForALock(readerThread); })) << "the read never waited for the lock";
    ASSERT_EQ(pwrite(fd, "whole new", 9, 0), 9);
    flock(fd, LOCK_UN);
    reader.join();
    close(fd);
    EXPECT_EQ(seen, "whole new");
}

TEST_F(FileRewriteTest, TheIdentityFollowsTheFileNotTheName) {
    const std::string path = temp.write("SIS", "old");
    const FileIdentity before = platform.identifyFile(path);
    EXPECT_TRUE(before.present);
    EXPECT_TRUE(before.folderPresent);
    ASSERT_TRUE(replaceFile(platform, path, "rewritten").written);
    EXPECT_EQ(platform.identifyFile(path), before);

    std::filesystem::rename(path, temp.file("moved"));
    temp.write("SIS", "another file");
    const FileIdentity other = platform.identifyFile(path);
    EXPECT_TRUE(other.present);
    EXPECT_NE(other.index, before.index);
    EXPECT_EQ(other.folderIndex, before.folderIndex);

    const FileIdentity none = platform.identifyFile(temp.file("gone/SIS"));
    EXPECT_FALSE(none.present);
    EXPECT_FALSE(none.folderPresent);
}

} // namespace
} // namespace hopwick::testing
