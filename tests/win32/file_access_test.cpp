#include "platform/system_platform.h"
#include "platform/windows/system_error.h"
#include "platform/windows/win32_owners.h"
#include "support/temp_folder.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

using testing::TempFolder;

class FileAccessTest : public ::testing::Test {
protected:
    TempFolder temp;
    SystemPlatform platform;
};

TEST_F(FileAccessTest, OnlyVisibleFilesAreOrdinary) {
    EXPECT_TRUE(platform.isOrdinaryFile(temp.write("SIS", "x")));
    ASSERT_TRUE(setAttributes(temp.write("ro", "x"), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(platform.isOrdinaryFile(temp.file("ro")));
    ASSERT_TRUE(setAttributes(temp.write("hidden", "x"), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("hidden")));
    ASSERT_TRUE(setAttributes(temp.write("system", "x"), FILE_ATTRIBUTE_SYSTEM));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("system")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.path().string()));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("missing")));
    EXPECT_FALSE(platform.isOrdinaryFile(temp.file("S?S")));
    EXPECT_FALSE(platform.isOrdinaryFile(""));
}

TEST_F(FileAccessTest, AWritableFolderIsFoundByTryingAndLeftAsItWas) {
    EXPECT_TRUE(platform.isWritableFolder(temp.path().string()));
    EXPECT_TRUE(platform.isWritableFolder(temp.path().string())); // a second probe gets a name of its own
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
    EXPECT_FALSE(platform.isWritableFolder(temp.file("missing")));
    EXPECT_FALSE(platform.isWritableFolder(temp.write("file", "x")));
    EXPECT_FALSE(platform.isWritableFolder(""));
}

TEST_F(FileAccessTest, ReadsWholeOrBoundedAndTellsMissingFromFailed) {
    const std::string path = temp.write("SIS", std::string("\"a\",\"\x95\x5c\"\r\n\0end", 15));
    const FileRead whole = platform.readFile(path, 1024);
    EXPECT_EQ(whole.status, FileRead::Status::Read);
    EXPECT_EQ(whole.bytes, std::string("\"a\",\"\x95\x5c\"\r\n\0end", 15));
    EXPECT_FALSE(whole.truncated);

    const FileRead exact = platform.readFile(path, 15);
    EXPECT_EQ(exact.bytes.size(), 15u);
    EXPECT_FALSE(exact.truncated);
    const FileRead cut = platform.readFile(path, 4);
    EXPECT_EQ(cut.status, FileRead::Status::Read);
    EXPECT_EQ(cut.bytes, "\"a\",");
    EXPECT_TRUE(cut.truncated);

    EXPECT_EQ(platform.readFile(temp.write("empty", ""), 10).status, FileRead::Status::Read);
    EXPECT_EQ(platform.readFile(temp.file("missing"), 10).status, FileRead::Status::Missing);
    EXPECT_EQ(platform.readFile(temp.file("no folder\\SIS"), 10).status, FileRead::Status::Missing);

    const FileRead folder = platform.readFile(temp.path().string(), 10);
    EXPECT_EQ(folder.status, FileRead::Status::Failed);
    EXPECT_NE(folder.error, "");
}

TEST_F(FileAccessTest, AFileThatAnotherProgramLockedFailsWithTheSystemsReason) {
    const std::string path = temp.write("SIS", "x");
    const UniqueHandle locked(
        CreateFileW(widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked.valid());
    const FileRead read = platform.readFile(path, 10);
    EXPECT_EQ(read.status, FileRead::Status::Failed);
    EXPECT_EQ(read.error, systemMessage(ERROR_SHARING_VIOLATION, kJapanese));
}

} // namespace
} // namespace hopwick::win32
