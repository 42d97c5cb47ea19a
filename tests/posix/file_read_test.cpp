#include "platform/posix/posix_support.h"
#include "posix_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

class FileReadTest : public ::testing::Test {
protected:
    TempFolder temp;
    WindowlessPlatform platform;
};

TEST_F(FileReadTest, ReadsAWholeSmallFile) {
    const std::string bytes("\"a\",\"\x95\x5c\"\r\n\0end", 13);
    const FileRead result = platform.readFile(temp.write("SIS", bytes), 4096);
    EXPECT_EQ(result.status, FileRead::Status::Read);
    EXPECT_EQ(result.bytes, bytes);
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(result.error, "");

    const FileRead empty = platform.readFile(temp.write("empty", ""), 4096);
    EXPECT_EQ(empty.status, FileRead::Status::Read);
    EXPECT_EQ(empty.bytes, "");
    EXPECT_FALSE(empty.truncated);
}

TEST_F(FileReadTest, AFileOfExactlyTheLimitIsNotTruncatedOneByteMoreIs) {
    const FileRead exact = platform.readFile(temp.write("exact", "12345"), 5);
    EXPECT_EQ(exact.bytes, "12345");
    EXPECT_FALSE(exact.truncated);
    const FileRead over = platform.readFile(temp.write("over", "123456"), 5);
    EXPECT_EQ(over.bytes, "12345");
    EXPECT_TRUE(over.truncated);
    const FileRead none = platform.readFile(temp.file("over"), 0);
    EXPECT_EQ(none.status, FileRead::Status::Read);
    EXPECT_EQ(none.bytes, "");
    EXPECT_TRUE(none.truncated);
}

TEST_F(FileReadTest, AHugeFileIsReadOnlyUpToTheLimitInBoundedMemory) {
    const std::string path = temp.write("huge", "start");
    ASSERT_EQ(truncate(path.c_str(), 200L * 1024 * 1024), 0); // sparse: costs no disk
    constexpr std::size_t kLimit = 64 * 1024;
    const FileRead result = platform.readFile(path, kLimit);
    ASSERT_EQ(result.status, FileRead::Status::Read);
    EXPECT_EQ(result.bytes.size(), kLimit);
    EXPECT_EQ(result.bytes.substr(0, 5), "start");
    EXPECT_EQ(result.bytes.find_first_not_of('\0', 5), std::string::npos);
    EXPECT_TRUE(result.truncated);
    EXPECT_LE(result.bytes.capacity(), 2 * kLimit);
}

TEST_F(FileReadTest, MissingFilesAreMissingNotFailed) {
    temp.write("file", "x");
    for (const std::string name : {"nothing", "no-folder/SIS", "file/SIS"}) {
        const FileRead result = platform.readFile(temp.file(name), 100);
        EXPECT_EQ(result.status, FileRead::Status::Missing) << name;
        EXPECT_EQ(result.error, "") << name;
    }
}

TEST_F(FileReadTest, AFolderAFifoAndAnUnreadableFileFailWithAReason) {
    const FileRead folder = platform.readFile(temp.path().string(), 100);
    EXPECT_EQ(folder.status, FileRead::Status::Failed);
    EXPECT_EQ(folder.error, posix::errorText(EISDIR));

    // A FIFO with no writer must not hold the caller: the read runs in a child with an alarm clock.
    ASSERT_EQ(mkfifo(temp.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(runInChild([&]() -> std::string {
                  alarm(10);
                  WindowlessPlatform child;
                  const FileRead result = child.readFile(temp.file("pipe"), 100);
                  return result.status == FileRead::Status::Failed && !result.error.empty() ? "" : "fifo was read";
              }),
              "");

    const std::string secret = temp.write("secret", "s");
    ASSERT_EQ(chmod(secret.c_str(), 0), 0);
    const std::string failure = runInChild(
        [&]() -> std::string {
            WindowlessPlatform child;
            const FileRead result = child.readFile(secret, 100);
            return result.status == FileRead::Status::Failed && result.error == posix::errorText(EACCES)
                       ? ""
                       : "unreadable file gave '" + result.error + "'";
        },
        true);
    if (failure == kCannotDropPrivileges) {
        GTEST_SKIP() << "running as root without the right to become another user: permissions cannot be tested";
    }
    EXPECT_EQ(failure, "");
}

TEST_F(FileReadTest, OrdinaryFilesAreRegularAndNotHidden) {
    const std::string file = temp.write("SIS", "x");
    temp.write(".SIS", "x");
    std::filesystem::create_directories(temp.path() / "folder");
    std::filesystem::create_symlink("SIS", temp.path() / "link");
    std::filesystem::create_symlink("gone", temp.path() / "dangling");
    ASSERT_EQ(mkfifo(temp.file("pipe").c_str(), 0600), 0);

    EXPECT_TRUE(platform.isOrdinaryFile(file));
    EXPECT_TRUE(platform.isOrdinaryFile(temp.file("link")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file(".SIS")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("folder")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("dangling")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("pipe")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("missing")));
    EXPECT_FALSE(platform.isOrdinaryFile(""));
}

TEST_F(FileReadTest, WritableFoldersAreExistingFolders) {
    const std::string file = temp.write("SIS", "x");
    EXPECT_TRUE(platform.isWritableFolder(temp.path().string()));
    EXPECT_FALSE(platform.isWritableFolder(file));
    EXPECT_FALSE(platform.isWritableFolder(temp.file("missing")));
    EXPECT_FALSE(platform.isWritableFolder(""));
    // A folder that refuses new files is covered, as another user, in the replace tests.
}

} // namespace
} // namespace hopwick::testing
