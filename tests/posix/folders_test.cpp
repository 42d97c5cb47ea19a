#include "posix_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

class FoldersTest : public ::testing::Test {
protected:
    TempFolder temp;
    WindowlessPlatform platform;
};

TEST_F(FoldersTest, CurrentDirectoryFollowsTheProcess) {
    std::filesystem::create_directories(temp.path() / "表 folder");
    ScopedDirectory inside(temp.file("表 folder"));
    EXPECT_EQ(platform.currentDirectory(), temp.file("表 folder"));
}

TEST_F(FoldersTest, CurrentDirectoryOfAnyLength) {
    // Deeper than PATH_MAX (4096): built one relative step at a time, since no full path could name it.
    const std::string step(200, 'd');
    std::string expected = temp.path().string();
    ScopedDirectory start(expected);
    int depth = 0;
    for (; expected.size() <= 5000; ++depth) {
        ASSERT_EQ(mkdir(step.c_str(), 0700), 0);
        ASSERT_EQ(chdir(step.c_str()), 0);
        expected += "/" + step;
    }
    const std::string current = platform.currentDirectory();
    // Leave and remove the chain, as TempFolder's removal works with full paths.
    for (int i = 0; i < depth; ++i) {
        ASSERT_EQ(chdir(".."), 0);
        ASSERT_EQ(rmdir(step.c_str()), 0);
    }
    EXPECT_EQ(current.size(), expected.size());
    EXPECT_EQ(current, expected);
}

TEST_F(FoldersTest, ProgramFolderHoldsTheRunningProgram) {
    EXPECT_EQ(platform.programFolder(), std::filesystem::canonical("/proc/self/exe").parent_path().string());
}

// The marker that the install step puts under the prefix makes a copy installed; nothing else does, not
// even a folder that its user cannot write.
TEST_F(FoldersTest, AnInstalledCopyIsKnownByTheMarkerUnderItsPrefix) {
    WindowlessPlatform program(temp.file("prefix/bin"));
    std::filesystem::create_directories(temp.path() / "prefix/bin");
    EXPECT_FALSE(program.isInstalledCopy());
    std::filesystem::create_directories(temp.path() / "prefix/share/hopwick/installed");
    EXPECT_FALSE(program.isInstalledCopy()) << "a folder is no marker";
    std::filesystem::remove(temp.path() / "prefix/share/hopwick/installed");
    temp.write("prefix/share/hopwick/installed", "");
    EXPECT_TRUE(program.isInstalledCopy());
    EXPECT_FALSE(WindowlessPlatform(temp.file("copy")).isInstalledCopy()) << "a copy outside the prefix";
}

TEST_F(FoldersTest, UserConfigFolderFollowsTheXdgRules) {
    const std::string home = temp.file("home");
    ScopedVariable homeVariable("HOME", home);
    {
        ScopedVariable config("XDG_CONFIG_HOME", temp.file("xdg"));
        EXPECT_EQ(platform.userConfigFolder(), temp.file("xdg") + "/hopwick");
    }
    {
        ScopedVariable config("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(platform.userConfigFolder(), home + "/.config/hopwick");
    }
    {
        ScopedVariable config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(platform.userConfigFolder(), home + "/.config/hopwick");
    }
    ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(platform.userConfigFolder(), home + "/.config/hopwick");
    ScopedVariable noHome("HOME", std::nullopt);
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(platform.userConfigFolder(), platform.joinPath(user->pw_dir, ".config/hopwick"));
}

TEST_F(FoldersTest, JoinPathUsesOneSlash) {
    EXPECT_EQ(platform.joinPath("/opt/hopwick", "SIS"), "/opt/hopwick/SIS");
    EXPECT_EQ(platform.joinPath("/opt/hopwick/", "SIS"), "/opt/hopwick/SIS");
    EXPECT_EQ(platform.joinPath("/", "SIS"), "/SIS");
    EXPECT_EQ(platform.joinPath("relative", "SIS"), "relative/SIS");
    EXPECT_EQ(platform.joinPath("", "SIS"), "SIS");
}

// The parts of a path as the system layer takes them from std::filesystem: a root is its own folder, a bare
// name has none (the current folder), and a run of slashes counts as one.
TEST(PathPartsTest, FoldersAndNamesOfPaths) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"/x", "/", "x"},
        {"x", "", "x"},
        {"/", "/", ""},
        {"//x", "/", "x"},
        {"/a//b", "/a", "b"},
        {"/a/b/", "/a/b", ""},
        {"/opt/表/SIS", "/opt/表", "SIS"},
        {"a/../b", "a/..", "b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::filesystem::path(c.path).parent_path(), c.folder) << c.path;
        EXPECT_EQ(std::filesystem::path(c.path).filename(), c.name) << c.path;
    }
}

} // namespace
} // namespace hopwick::testing
