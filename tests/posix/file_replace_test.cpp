#include "app/texts.h"
#include "platform/posix/posix_support.h"
#include "posix_test_support.h"
#include "store_saves.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

mode_t modeOf(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

mode_t currentUmask() {
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

class FileReplaceTest : public ::testing::Test {
protected:
    TempFolder temp;
    WindowlessPlatform platform;
};

TEST_F(FileReplaceTest, CreatesANewFileAndItsMissingFolders) {
    const std::string path = temp.file("config/hopwick/SIS");
    const FileWrite result = replaceFile(platform, path, "\"NotePad\"\r\n");
    ASSERT_TRUE(result.written) << result.error;
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(temp.read("config/hopwick/SIS"), "\"NotePad\"\r\n");
    EXPECT_EQ(modeOf(path), 0644 & ~currentUmask());
    EXPECT_EQ(modeOf(temp.file("config")), 0755 & ~currentUmask());
    EXPECT_EQ(folderEntries(temp.file("config/hopwick")), std::vector<std::string>{"SIS"});
}

TEST_F(FileReplaceTest, MissingFoldersAreNotOpenedToTheGroupByItsUmask) {
    const mode_t mask = umask(002);
    const FileWrite result = replaceFile(platform, temp.file("config/hopwick/SIS"), "\"NotePad\"\r\n");
    umask(mask);
    ASSERT_TRUE(result.written) << result.error;
    EXPECT_EQ(modeOf(temp.file("config")), 0755u);
    EXPECT_EQ(modeOf(temp.file("config/hopwick")), 0755u);
}

TEST_F(FileReplaceTest, OverwritesWholeAndKeepsThePermissions) {
    const std::string path = temp.write("SIS", std::string(5000, 'o'));
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(replaceFile(platform, path, "new").written);
    EXPECT_EQ(temp.read("SIS"), "new");
    EXPECT_EQ(modeOf(path), 0600u);

    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(replaceFile(platform, path, "").written);
    EXPECT_EQ(temp.read("SIS"), "");
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(folderEntries(temp.path()), std::vector<std::string>{"SIS"});
}

TEST_F(FileReplaceTest, WritesThroughASymbolicLinkAndKeepsTheLink) {
    const std::string real = temp.write("data/real-SIS", "old");
    ASSERT_EQ(chmod(real.c_str(), 0600), 0);
    std::filesystem::create_symlink("data/real-SIS", temp.path() / "SIS");
    std::filesystem::create_symlink("SIS", temp.path() / "link-to-link");

    ASSERT_TRUE(replaceFile(platform, temp.file("link-to-link"), "new").written);
    EXPECT_TRUE(std::filesystem::is_symlink(temp.path() / "SIS"));
    EXPECT_TRUE(std::filesystem::is_symlink(temp.path() / "link-to-link"));
    EXPECT_EQ(temp.read("data/real-SIS"), "new");
    EXPECT_EQ(modeOf(real), 0600u);
    EXPECT_EQ(folderEntries(temp.file("data")), std::vector<std::string>{"real-SIS"});

    // A dangling link gets its target created.
    std::filesystem::create_symlink("data/later", temp.path() / "dangling");
    ASSERT_TRUE(replaceFile(platform, temp.file("dangling"), "made").written);
    EXPECT_TRUE(std::filesystem::is_symlink(temp.path() / "dangling"));
    EXPECT_EQ(temp.read("data/later"), "made");
}

TEST_F(FileReplaceTest, AFolderOrALoopIsNoFileToReplace) {
    std::filesystem::create_directories(temp.path() / "SIS");
    const FileWrite folder = replaceFile(platform, temp.file("SIS"), "x");
    EXPECT_FALSE(folder.written);
    EXPECT_EQ(folder.error, texts::kStoreNotAFilePrompt);
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "SIS"));

    std::filesystem::create_symlink("loop", temp.path() / "loop");
    const FileWrite loop = replaceFile(platform, temp.file("loop"), "x");
    EXPECT_FALSE(loop.written);
    EXPECT_EQ(loop.error, posix::errorText(ELOOP));
    EXPECT_EQ(folderEntries(temp.path()), (std::vector<std::string>{"SIS", "loop"}));
}

TEST_F(FileReplaceTest, AFileSizeLimitFailsWithoutKillingTheProcessAndKeepsTheOldFile) {
    const std::string path = temp.write("SIS", "old content");
    const std::string failure = runInChild([&]() -> std::string {
        const rlimit limit{1000, 1000};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return "setrlimit failed";
        }
        WindowlessPlatform child;
        const FileWrite result = replaceFile(child, path, std::string(5000, 'n'));
        if (result.written) {
            return "written despite the limit";
        }
        return result.error == posix::errorText(EFBIG) ? "" : "error was '" + result.error + "'";
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(temp.read("SIS"), "old content");
    EXPECT_EQ(folderEntries(temp.path()), std::vector<std::string>{"SIS"});
}

TEST_F(FileReplaceTest, AReadOnlyFolderOrFileFailsAndKeepsTheOldFile) {
    const std::string inReadOnly = temp.write("read-only/SIS", "old");
    ASSERT_EQ(chmod(inReadOnly.c_str(), 0666), 0); // writable itself: only the folder refuses
    ASSERT_EQ(chmod(temp.file("read-only").c_str(), 0555), 0);
    const std::string readOnlyFile = temp.write("open/SIS", "old");
    ASSERT_EQ(chmod(readOnlyFile.c_str(), 0444), 0);
    ASSERT_EQ(chmod(temp.file("open").c_str(), 0777), 0);

    const std::string failure = runInChild(
        [&]() -> std::string {
            WindowlessPlatform child;
            std::string problems;
            if (child.isWritableFolder(temp.file("read-only"))) {
                problems += "read-only folder reported writable; ";
            }
            for (const std::string& path : {inReadOnly, readOnlyFile}) {
                const FileWrite result = replaceFile(child, path, "new");
                if (result.written || result.error != posix::errorText(EACCES)) {
                    problems +=
                        path + ": written " + std::to_string(result.written) + ", error '" + result.error + "'; ";
                }
            }
            if (!child.isWritableFolder(temp.file("open"))) {
                problems += "writable folder reported read-only; ";
            }
            if (!replaceFile(child, temp.file("open/other"), "new").written) {
                problems += "a new file in a writable folder failed; ";
            }
            return problems;
        },
        true);
    if (failure == kCannotDropPrivileges) {
        GTEST_SKIP() << "running as root without the right to become another user: permissions cannot be tested";
    }
    EXPECT_EQ(failure, "");
    EXPECT_EQ(temp.read("read-only/SIS"), "old");
    EXPECT_EQ(temp.read("open/SIS"), "old");
    EXPECT_EQ(folderEntries(temp.file("read-only")), std::vector<std::string>{"SIS"});
    EXPECT_EQ(folderEntries(temp.file("open")), (std::vector<std::string>{"SIS", "other"}));
}

TEST_F(FileReplaceTest, StaleTemporariesOfDeadProcessesAreRemovedLiveOnesKept) {
    const std::string path = temp.write("SIS", "current");
    const pid_t dead = deadProcessId();
    temp.write(copyName("SIS", dead, ".tmp"), "half");
    temp.write(copyName("SIS", getpid(), ".tmp"), "running");
    temp.write(copyName("SIS", 1, ".tmp"), "init's");
    temp.write(copyName("OTHER", dead, ".tmp"), "not ours");
    temp.write(".SIS.hopwick-12x.tmp", "no process id");

    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(folderEntries(temp.path()),
              sorted({copyName("OTHER", dead, ".tmp"), ".SIS.hopwick-12x.tmp", copyName("SIS", 1, ".tmp"),
                      copyName("SIS", getpid(), ".tmp"), "SIS"}));
    EXPECT_EQ(temp.read("SIS"), "current");
}

TEST_F(FileReplaceTest, StaleTemporariesAreLookedForBesideTheLinkedTarget) {
    temp.write("data/SIS", "current");
    std::filesystem::create_symlink("data/SIS", temp.path() / "SIS");
    const pid_t dead = deadProcessId();
    temp.write("data/" + copyName("SIS", dead, ".tmp"), "half");
    recoverInterruptedSaves(platform, temp.file("SIS"));
    EXPECT_EQ(folderEntries(temp.file("data")), std::vector<std::string>{"SIS"});
}

TEST_F(FileReplaceTest, AnotherUsersRunningProcessKeepsItsTemporary) {
    temp.write("shared/SIS", "current");
    ASSERT_EQ(chmod(temp.file("shared").c_str(), 0777), 0);
    const pid_t dead = deadProcessId();
    temp.write("shared/" + copyName("SIS", 1, ".tmp"), "init's"); // pid 1: alive, and not ours to signal
    temp.write("shared/" + copyName("SIS", dead, ".tmp"), "half");
    const std::string failure = runInChild(
        [&]() -> std::string {
            WindowlessPlatform child;
            recoverInterruptedSaves(child, temp.file("shared/SIS"));
            return "";
        },
        true);
    if (failure == kCannotDropPrivileges) {
        GTEST_SKIP() << "running as root without the right to become another user";
    }
    EXPECT_EQ(failure, "");
    EXPECT_EQ(folderEntries(temp.file("shared")), (std::vector<std::string>{copyName("SIS", 1, ".tmp"), "SIS"}));
}

} // namespace
} // namespace hopwick::testing
