#include "platform/system_platform.h"
#include "platform/windows/system_error.h"
#include "platform/windows/win32_owners.h"
#include "reliability/folder_listing.h"
#include "store_saves.h"
#include "support/temp_folder.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hopwick::win32 {
namespace {

using testing::entriesOf;
using testing::recoverInterruptedSaves;
using testing::replaceFile;
using testing::TempFolder;

class FileReplaceTest : public ::testing::Test {
protected:
    TempFolder temp;
    SystemPlatform platform;
};

TEST_F(FileReplaceTest, CreatesTheFileAndMissingFoldersWithNothingLeftBeside) {
    const testing::FileWrite result = replaceFile(platform, temp.file("config\\Hopwick\\SIS"), "\"NotePad\"\r\n");
    ASSERT_TRUE(result.written) << result.error;
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(temp.read("config\\Hopwick\\SIS"), "\"NotePad\"\r\n");
    EXPECT_EQ(entriesOf(temp.path() / "config" / "Hopwick"), std::vector<std::string>{"SIS"});
    EXPECT_EQ(attributesOf(temp.file("config\\Hopwick\\SIS")) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
}

TEST_F(FileReplaceTest, ReplacesTheWholeContentAndKeepsTheFilesAttributes) {
    const std::string path = temp.write("SIS", std::string(5000, 'x'));
    ASSERT_TRUE(setAttributes(path, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
    const testing::FileWrite result = replaceFile(platform, path, "short");
    ASSERT_TRUE(result.written) << result.error;
    EXPECT_EQ(temp.read("SIS"), "short");
    EXPECT_NE(attributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(entriesOf(temp.path()), std::vector<std::string>{"SIS"});

    ASSERT_TRUE(replaceFile(platform, path, "").written);
    EXPECT_EQ(temp.read("SIS"), "");
}

TEST_F(FileReplaceTest, AFileInUseKeepsItsOldContentAndNoTemporaryStays) {
    const std::string path = temp.write("SIS", "old");
    {
        // Another program holds it open without sharing: it can be neither replaced nor removed.
        const UniqueHandle held(
            CreateFileW(widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.valid());
        const testing::FileWrite result = replaceFile(platform, path, "new");
        EXPECT_FALSE(result.written);
        // The system's reason in Japanese: a sharing violation, or access denied where the system says so.
        EXPECT_TRUE(result.error == systemMessage(ERROR_SHARING_VIOLATION, kJapanese) ||
                    result.error == systemMessage(ERROR_ACCESS_DENIED, kJapanese))
            << result.error;
    }
    EXPECT_EQ(temp.read("SIS"), "old");
    EXPECT_EQ(entriesOf(temp.path()), std::vector<std::string>{"SIS"});
}

TEST_F(FileReplaceTest, AReadOnlyFileOrAFolderIsNotReplaced) {
    const std::string path = temp.write("SIS", "old");
    ASSERT_TRUE(setAttributes(path, FILE_ATTRIBUTE_READONLY));
    const testing::FileWrite readOnly = replaceFile(platform, path, "new");
    EXPECT_FALSE(readOnly.written);
    EXPECT_NE(readOnly.error, "");
    EXPECT_EQ(temp.read("SIS"), "old");

    std::filesystem::create_directories(temp.path() / "folder");
    EXPECT_FALSE(replaceFile(platform, temp.file("folder"), "new").written);
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "folder"));
    EXPECT_FALSE(replaceFile(platform, "", "new").written);
    EXPECT_EQ(entriesOf(temp.path()), (std::vector<std::string>{"SIS", "folder"}));
}

TEST_F(FileReplaceTest, AFileBlockingTheFolderFailsWithoutDamage) {
    temp.write("config", "not a folder");
    const testing::FileWrite result = replaceFile(platform, temp.file("config\\SIS"), "new");
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.error, "");
    EXPECT_EQ(temp.read("config"), "not a folder");
}

TEST_F(FileReplaceTest, StaleTemporariesGoButThoseOfRunningProcessesStay) {
    const std::string path = temp.write("SIS", "store");
    const DWORD ended = endedProcessId();
    ASSERT_NE(ended, 0u);
    const std::string stale = copyName("SIS", ended, ".tmp");
    const std::string running = copyName("SIS", GetCurrentProcessId(), ".tmp");
    temp.write(stale, "half");
    temp.write(running, "busy");
    temp.write(copyName("OTHER", ended, ".tmp"), "someone else's");
    temp.write(".SIS.hopwick-12x.tmp", "not a process id");

    recoverInterruptedSaves(platform, path);
    const std::vector<std::string> left = entriesOf(temp.path());
    EXPECT_EQ(std::count(left.begin(), left.end(), stale), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), running), 1);
    EXPECT_EQ(left.size(), 4u);
    EXPECT_EQ(temp.read("SIS"), "store");
}

// The other half of the rule that only the user's own copy is put in: the system must know our own files as
// ours, or no interrupted save would ever be finished. (Wine keeps no other owner that a test could give a
// file; the shared protocol's test covers a copy of another user.)
TEST_F(FileReplaceTest, OurOwnCompleteCopyOfASaveThatDiedIsPutIn) {
    const std::string path = temp.write("SIS", "torn");
    const DWORD ended = endedProcessId();
    ASSERT_NE(ended, 0u);
    temp.write(copyName("SIS", ended, ".new"), "whole");
    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(temp.read("SIS"), "whole");
    EXPECT_EQ(entriesOf(temp.path()), std::vector<std::string>{"SIS"});
}

} // namespace
} // namespace hopwick::win32
