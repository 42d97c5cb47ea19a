#include "platform/system_platform.h"
#include "support/temp_folder.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

using testing::TempFolder;

constexpr PathAttributes kPlainOnly = PathAttributes::None;
constexpr PathAttributes kLaunchMask =
    PathAttributes::Hidden | PathAttributes::System | PathAttributes::Folder; // 22, as a launch searches

class PathSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        temp.write("dir\\plain.txt", "p");
        temp.write("dir\\run.exe", "r");
        ASSERT_TRUE(setAttributes(temp.write("dir\\hidden.txt", "h"), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(setAttributes(temp.write("dir\\system.sys", "s"), FILE_ATTRIBUTE_SYSTEM));
        ASSERT_TRUE(setAttributes(temp.write("dir\\both.dat", "b"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        ASSERT_TRUE(setAttributes(temp.write("dir\\locked.txt", "l"), FILE_ATTRIBUTE_READONLY));
        std::filesystem::create_directories(temp.path() / "dir" / "sub");
        std::filesystem::create_directories(temp.path() / "dir" / "secret");
        ASSERT_TRUE(setAttributes(temp.file("dir\\secret"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    }

    std::string find(const std::string& relative, PathAttributes mask) {
        const PathSearch result = platform.findPath(temp.file(relative), mask);
        EXPECT_EQ(result.error, "") << relative;
        return result.name;
    }

    TempFolder temp;
    SystemPlatform platform;
};

TEST_F(PathSearchTest, PlainAndReadOnlyFilesCountUnderEveryMask) {
    for (const PathAttributes mask : {kPlainOnly, PathAttributes::Folder, PathAttributes::Hidden, kLaunchMask}) {
        EXPECT_EQ(find("dir\\plain.txt", mask), "plain.txt") << static_cast<unsigned>(mask);
        EXPECT_EQ(find("dir\\locked.txt", mask), "locked.txt") << static_cast<unsigned>(mask);
    }
    EXPECT_EQ(find("dir\\missing.txt", kLaunchMask), "");
    EXPECT_EQ(find("nowhere\\plain.txt", kLaunchMask), "");
}

TEST_F(PathSearchTest, HiddenAndSystemFilesNeedTheirBits) {
    EXPECT_EQ(find("dir\\hidden.txt", PathAttributes::Folder), ""); // as the start-up searches
    EXPECT_EQ(find("dir\\hidden.txt", PathAttributes::Hidden), "hidden.txt");
    EXPECT_EQ(find("dir\\system.sys", PathAttributes::Hidden | PathAttributes::Folder), "");
    EXPECT_EQ(find("dir\\system.sys", PathAttributes::System), "system.sys");
    // Both attributes need both bits.
    EXPECT_EQ(find("dir\\both.dat", PathAttributes::Hidden), "");
    EXPECT_EQ(find("dir\\both.dat", PathAttributes::System), "");
    EXPECT_EQ(find("dir\\both.dat", kLaunchMask), "both.dat");
}

TEST_F(PathSearchTest, FoldersNeedTheFolderBitAndAHiddenFolderBoth) {
    EXPECT_EQ(find("dir\\sub", kPlainOnly), "");
    EXPECT_EQ(find("dir\\sub", PathAttributes::Folder), "sub");
    EXPECT_EQ(find("dir\\secret", PathAttributes::Folder), "");
    EXPECT_EQ(find("dir\\secret", kLaunchMask), "secret");
}

TEST_F(PathSearchTest, WildcardsGiveTheFirstEntryThatCountsAndSkipTheDotEntries) {
    EXPECT_EQ(find("dir\\*.exe", kPlainOnly), "run.exe");
    EXPECT_EQ(find("dir\\hid??n.*", kLaunchMask), "hidden.txt");
    EXPECT_EQ(find("dir\\hid??n.*", PathAttributes::Folder), "");
    // Only folders and hidden or system files match here, none of which the mask admits.
    EXPECT_EQ(find("dir\\s*", kPlainOnly), "");
    EXPECT_EQ(find("dir\\s*", PathAttributes::Folder), "sub");
    // "." and ".." match "*" in every folder but are not entries of it.
    std::filesystem::create_directories(temp.path() / "empty");
    EXPECT_EQ(find("empty\\*", kLaunchMask), "");
    EXPECT_EQ(find("dir\\sub\\*", PathAttributes::Folder), "");
}

TEST_F(PathSearchTest, RelativePathsAreTakenAgainstTheCurrentDirectory) {
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(temp.path() / "dir");
    EXPECT_EQ(platform.findPath("plain.txt", kPlainOnly).name, "plain.txt");
    EXPECT_EQ(platform.findPath("..\\dir\\sub", PathAttributes::Folder).name, "sub");
    EXPECT_EQ(platform.findPath("Calc", kLaunchMask).name, "");
    std::filesystem::current_path(saved);
}

TEST_F(PathSearchTest, NamesThatCannotExistAreNotFoundRatherThanFailures) {
    for (const char* path : {"", "\"C:\\quoted\"", "C:\\a|b", "Q:\\no drive\\x.exe"}) {
        const PathSearch result = platform.findPath(path, kLaunchMask);
        EXPECT_EQ(result.name, "") << path;
        EXPECT_EQ(result.error, "") << path;
    }
}

TEST_F(PathSearchTest, JapaneseNamesAreFoundAndReturnedInUtf8) {
    const std::string folder = temp.path().string() + "\\表示";
    writeFile(folder + "\\ﾒﾓ帳.txt", "x");
    EXPECT_EQ(platform.findPath(folder + "\\ﾒﾓ帳.txt", kPlainOnly).name, "ﾒﾓ帳.txt");
    EXPECT_EQ(platform.findPath(folder + "\\*.txt", kPlainOnly).name, "ﾒﾓ帳.txt");
    EXPECT_EQ(platform.findPath(folder, PathAttributes::Folder).name, "表示");
}

} // namespace
} // namespace hopwick::win32
