#include "platform/posix/posix_support.h"
#include "posix_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

constexpr PathAttributes kPlainOnly = PathAttributes::None;
constexpr PathAttributes kLaunchMask =
    PathAttributes::Hidden | PathAttributes::System | PathAttributes::Folder; // 22, as a launch searches

class PathSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        temp.write("dir/a.txt", "a");
        temp.write("dir/b.exe", "b");
        temp.write("dir/.hidden.txt", "h");
        std::filesystem::create_directories(temp.path() / "dir" / "sub");
        std::filesystem::create_directories(temp.path() / "dir" / ".config");
    }

    std::string find(const std::string& relative, PathAttributes mask) {
        const PathSearch result = platform.findPath(temp.file(relative), mask);
        EXPECT_EQ(result.error, "") << relative;
        return result.name;
    }

    TempFolder temp;
    WindowlessPlatform platform;
};

TEST_F(PathSearchTest, PlainFileCountsUnderEveryMaskAndGivesItsNameOnly) {
    EXPECT_EQ(find("dir/a.txt", kPlainOnly), "a.txt");
    EXPECT_EQ(find("dir/a.txt", PathAttributes::Folder), "a.txt");
    EXPECT_EQ(find("dir/a.txt", kLaunchMask), "a.txt");
    EXPECT_EQ(find("dir/missing.txt", kLaunchMask), "");
}

TEST_F(PathSearchTest, HiddenFileNeedsTheHiddenBit) {
    EXPECT_EQ(find("dir/.hidden.txt", kPlainOnly), "");
    EXPECT_EQ(find("dir/.hidden.txt", PathAttributes::Folder), "");
    EXPECT_EQ(find("dir/.hidden.txt", PathAttributes::Hidden), ".hidden.txt");
    EXPECT_EQ(find("dir/.hidden.txt", kLaunchMask), ".hidden.txt");
}

TEST_F(PathSearchTest, FolderNeedsTheFolderBitAndAHiddenFolderBoth) {
    EXPECT_EQ(find("dir/sub", kPlainOnly), "");
    EXPECT_EQ(find("dir/sub", PathAttributes::Folder), "sub");
    EXPECT_EQ(find("dir/sub/", PathAttributes::Folder), "sub");
    EXPECT_EQ(find("dir/a.txt/", kLaunchMask), ""); // a trailing slash names a folder only
    EXPECT_EQ(find("dir/.config", PathAttributes::Folder), "");
    EXPECT_EQ(find("dir/.config", PathAttributes::Hidden), "");
    EXPECT_EQ(find("dir/.config", PathAttributes::Folder | PathAttributes::Hidden), ".config");
    EXPECT_EQ(platform.findPath("/", PathAttributes::Folder).name, "/");
}

TEST_F(PathSearchTest, FifoAndDeviceCountAsSystemFiles) {
    ASSERT_EQ(mkfifo(temp.file("dir/pipe").c_str(), 0600), 0);
    EXPECT_EQ(find("dir/pipe", kPlainOnly), "");
    EXPECT_EQ(find("dir/pipe", PathAttributes::Folder | PathAttributes::Hidden), "");
    EXPECT_EQ(find("dir/pipe", PathAttributes::System), "pipe");
    EXPECT_EQ(find("dir/pip?", PathAttributes::System), "pipe");
    EXPECT_EQ(platform.findPath("/dev/null", PathAttributes::Folder).name, "");
    EXPECT_EQ(platform.findPath("/dev/null", kLaunchMask).name, "null");
}

TEST_F(PathSearchTest, SymbolicLinksCountAsWhatTheyPointToAndDanglingOnesAsNothing) {
    std::filesystem::create_symlink("a.txt", temp.path() / "dir" / "to-file");
    std::filesystem::create_symlink("sub", temp.path() / "dir" / "to-folder");
    std::filesystem::create_symlink("gone", temp.path() / "other-dangling");
    std::filesystem::create_symlink("loop", temp.path() / "loop");
    EXPECT_EQ(find("dir/to-file", kPlainOnly), "to-file");
    EXPECT_EQ(find("dir/to-folder", kPlainOnly), "");
    EXPECT_EQ(find("dir/to-folder", PathAttributes::Folder), "to-folder");
    EXPECT_EQ(find("other-dangling", kLaunchMask), "");
    EXPECT_EQ(find("other-*", kLaunchMask), "");
    EXPECT_EQ(find("loop", kLaunchMask), "");
    EXPECT_EQ(find("lo?p", kLaunchMask), "");
}

TEST_F(PathSearchTest, WildcardsMatchInTheLastElementOnly) {
    EXPECT_EQ(find("dir/*.exe", kPlainOnly), "b.exe");
    EXPECT_EQ(find("dir/?.txt", kPlainOnly), "a.txt");
    EXPECT_EQ(find("dir/a*t", kPlainOnly), "a.txt");
    EXPECT_EQ(find("dir/*.com", kLaunchMask), "");
    EXPECT_EQ(find("dir/??.txt", kPlainOnly), "");
    EXPECT_EQ(find("d?r/a.txt", kLaunchMask), "");
    EXPECT_EQ(find("di*/a.txt", kLaunchMask), "");
    // ... where they are plain characters of a folder's name.
    temp.write("d*r/a.txt", "x");
    EXPECT_EQ(find("d*r/a.txt", kPlainOnly), "a.txt");
    EXPECT_EQ(find("d*r/*", kPlainOnly), "a.txt");
}

TEST_F(PathSearchTest, WildcardsApplyTheMaskToEachMatch) {
    EXPECT_EQ(find("dir/*.txt", kPlainOnly), "a.txt");
    EXPECT_EQ(find("dir/.*", kPlainOnly), "");
    EXPECT_EQ(find("dir/.h*", PathAttributes::Hidden), ".hidden.txt");
    EXPECT_EQ(find("dir/s*", kPlainOnly), "");
    EXPECT_EQ(find("dir/s*", PathAttributes::Folder), "sub");
    EXPECT_EQ(find("dir/sub/", PathAttributes::Folder), "sub");
    EXPECT_EQ(find("dir/?ub/", PathAttributes::Folder), "sub");
    EXPECT_EQ(find("dir/?.txt/", kLaunchMask), "");
}

TEST_F(PathSearchTest, DotAndDotDotNeverMatchAWildcard) {
    std::filesystem::create_directories(temp.path() / "empty");
    EXPECT_EQ(find("empty/*", kLaunchMask), "");
    EXPECT_EQ(find("empty/.*", kLaunchMask), "");
    EXPECT_EQ(find("empty/.?", kLaunchMask), "");
    // Named as they stand, they are the folders that they are.
    EXPECT_EQ(find("empty/.", PathAttributes::Folder), ".");
    EXPECT_EQ(find("empty/..", PathAttributes::Folder), "..");
}

TEST_F(PathSearchTest, BracketsAndOtherCharactersAreLiteral) {
    temp.write("brackets/a[1].txt", "x");
    temp.write("plain/a1.txt", "x");
    temp.write("plain/a\\1.txt", "x");
    EXPECT_EQ(find("brackets/a[1].txt", kPlainOnly), "a[1].txt");
    EXPECT_EQ(find("brackets/a[1]*", kPlainOnly), "a[1].txt");
    EXPECT_EQ(find("brackets/a[1]?txt", kPlainOnly), "a[1].txt");
    EXPECT_EQ(find("plain/a[1].txt", kPlainOnly), "");
    EXPECT_EQ(find("plain/a[1]*", kPlainOnly), "");
    EXPECT_EQ(find("plain/a\\1*", kPlainOnly), "a\\1.txt");
}

TEST_F(PathSearchTest, NamesAreBytesNotNecessarilyUtf8) {
    const std::string name = "\xff\xfe-\x95\x5c.txt"; // not UTF-8; 0x5C as a trail byte
    temp.write("bytes/" + name, "x");
    EXPECT_EQ(find("bytes/" + name, kPlainOnly), name);
    EXPECT_EQ(find("bytes/*.txt", kPlainOnly), name);
    EXPECT_EQ(find("bytes/\xff?-*", kPlainOnly), name);
}

TEST_F(PathSearchTest, RelativePathsAreTakenAgainstTheCurrentDirectory) {
    ScopedDirectory inside(temp.file("dir"));
    EXPECT_EQ(platform.findPath("a.txt", kPlainOnly).name, "a.txt");
    EXPECT_EQ(platform.findPath("*.exe", kPlainOnly).name, "b.exe");
    EXPECT_EQ(platform.findPath("sub", PathAttributes::Folder).name, "sub");
    EXPECT_EQ(platform.findPath("../dir/a.txt", kPlainOnly).name, "a.txt");
    EXPECT_EQ(platform.findPath("dir/a.txt", kLaunchMask).name, "");
}

TEST_F(PathSearchTest, NothingToFindIsNoError) {
    EXPECT_EQ(platform.findPath("", kLaunchMask).name, "");
    EXPECT_EQ(platform.findPath("", kLaunchMask).error, "");
    EXPECT_EQ(find("nowhere/*", kLaunchMask), "");
    EXPECT_EQ(find("nowhere/a.txt", kLaunchMask), "");
    EXPECT_EQ(find("dir/a.txt/inside", kLaunchMask), ""); // ENOTDIR
    EXPECT_EQ(find("dir/a.txt/*", kLaunchMask), "");
    EXPECT_EQ(find("dir/" + std::string(300, 'n'), kLaunchMask), ""); // longer than any name can be
    EXPECT_EQ(find("\"dir/a.txt\"", kLaunchMask), "");
}

TEST_F(PathSearchTest, PermissionDeniedIsAFailedSearch) {
    temp.write("locked/secret.txt", "s");
    temp.write("listable/secret.txt", "s");
    ASSERT_EQ(chmod(temp.file("locked").c_str(), 0), 0);
    ASSERT_EQ(chmod(temp.file("listable").c_str(), 0444), 0); // names readable, entries not reachable
    const std::string failure = runInChild(
        [&]() -> std::string {
            WindowlessPlatform child;
            std::string problems;
            for (const std::string path :
                 {"locked/secret.txt", "locked/*", "locked/*.txt", "listable/secret.txt", "listable/*.txt"}) {
                const PathSearch result = child.findPath(temp.file(path), kLaunchMask);
                if (result.name != "" || result.error != posix::errorText(EACCES)) {
                    problems += path + " gave name '" + result.name + "', error '" + result.error + "'; ";
                }
            }
            return problems;
        },
        true);
    if (failure == kCannotDropPrivileges) {
        GTEST_SKIP() << "running as root without the right to become another user: permissions cannot be tested";
    }
    EXPECT_EQ(failure, "");
}

} // namespace
} // namespace hopwick::testing
