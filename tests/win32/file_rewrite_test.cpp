// A save rewrites the store in place from a flushed copy: the file keeps its identity and its other names,
// and a complete copy that a dead writer left is put in whole at the next start.

#include "platform/system_platform.h"
#include "reliability/folder_listing.h"
#include "store_saves.h"
#include "support/temp_folder.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace hopwick::win32 {
namespace {

using testing::entriesOf;
using testing::recoverInterruptedSaves;
using testing::replaceFile;
using testing::TempFolder;

class FileRewriteTest : public ::testing::Test {
protected:
    TempFolder temp;
    SystemPlatform platform;
};

TEST_F(FileRewriteTest, ASaveKeepsTheFilesIdentityAndItsOtherNames) {
    const std::string path = temp.write("SIS", std::string(300, 'o'));
    const bool linked = CreateHardLinkW(widen(temp.file("second")).c_str(), widen(path).c_str(), nullptr) != FALSE;
    const FileIdentity before = platform.identifyFile(path);
    ASSERT_TRUE(before.present);
    ASSERT_TRUE(before.folderPresent);

    ASSERT_TRUE(replaceFile(platform, path, "new").written);
    EXPECT_EQ(temp.read("SIS"), "new");
    EXPECT_EQ(platform.identifyFile(path), before);
    if (linked) {
        EXPECT_EQ(temp.read("second"), "new");
    } else {
        std::cout << "no hard links here: only the identity was checked\n";
    }
}

TEST_F(FileRewriteTest, AnotherFileInTheStoresPlaceHasAnotherIdentity) {
    const std::string path = temp.write("SIS", "mine");
    const FileIdentity mine = platform.identifyFile(path);
    const std::string other = temp.write("other", "theirs");
    ASSERT_TRUE(MoveFileExW(widen(other).c_str(), widen(path).c_str(), MOVEFILE_REPLACE_EXISTING));
    const FileIdentity theirs = platform.identifyFile(path);
    EXPECT_TRUE(theirs.present);
    EXPECT_FALSE(theirs.index == mine.index && theirs.volume == mine.volume);
    EXPECT_EQ(theirs.folderIndex, mine.folderIndex);

    const FileIdentity none = platform.identifyFile(temp.file("gone\\SIS"));
    EXPECT_FALSE(none.present);
    EXPECT_FALSE(none.folderPresent);
}

TEST_F(FileRewriteTest, ACompleteCopyOfADeadWriterIsPutInWholeAndALaterSaveOutdatesIt) {
    const std::string path = temp.write("SIS", "new contOLD CONTENT, LONGER"); // torn mid-copy
    const DWORD ended = endedProcessId();
    ASSERT_NE(ended, 0u);
    temp.write(copyName("SIS", ended, ".new"), "new content");
    temp.write(copyName("SIS", GetCurrentProcessId(), ".new"), "running");
    const FileIdentity before = platform.identifyFile(path);

    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(temp.read("SIS"), "new content");
    EXPECT_EQ(platform.identifyFile(path), before);
    EXPECT_EQ(entriesOf(temp.path()),
              (std::vector<std::string>{copyName("SIS", GetCurrentProcessId(), ".new"), "SIS"}));

    std::filesystem::remove(temp.path() / copyName("SIS", GetCurrentProcessId(), ".new"));
    temp.write(copyName("SIS", ended, ".new"), "older save");
    ASSERT_TRUE(replaceFile(platform, path, "newest save").written);
    recoverInterruptedSaves(platform, path);
    EXPECT_EQ(temp.read("SIS"), "newest save");
    EXPECT_EQ(entriesOf(temp.path()), std::vector<std::string>{"SIS"});
}

// The install step's marker beside the program makes it an installed copy.
TEST(InstalledCopyTest, IsKnownByTheMarkerBesideTheProgram) {
    SystemPlatform platform;
    const std::wstring marker = widen(platform.joinPath(platform.programFolder(), "hopwick.installed"));
    DeleteFileW(marker.c_str());
    EXPECT_FALSE(platform.isInstalledCopy());
    writeFile(narrow(marker), "");
    EXPECT_TRUE(platform.isInstalledCopy());
    DeleteFileW(marker.c_str());
    EXPECT_FALSE(platform.isInstalledCopy());
}

} // namespace
} // namespace hopwick::win32
