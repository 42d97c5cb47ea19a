#include "platform/system_platform.h"
#include "support/temp_folder.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

TEST(FoldersTest, JoinPathPutsOneBackslashBetween) {
    SystemPlatform platform;
    EXPECT_EQ(platform.joinPath("C:\\Tools", "SIS"), "C:\\Tools\\SIS");
    EXPECT_EQ(platform.joinPath("C:\\Tools\\", "SIS"), "C:\\Tools\\SIS");
    EXPECT_EQ(platform.joinPath("C:\\", "SIS"), "C:\\SIS");
    EXPECT_EQ(platform.joinPath("C:\\表", "SIS"), "C:\\表\\SIS"); // 表's trail byte is no separator in UTF-8
    EXPECT_EQ(platform.joinPath("", "SIS"), "SIS");
}

TEST(FoldersTest, ProgramFolderHoldsThisProgram) {
    SystemPlatform platform;
    const std::string folder = platform.programFolder();
    EXPECT_EQ(folder, testProgramFolder());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(widen(folder)) / "hopwick_win32_tests.exe"));
}

TEST(FoldersTest, CurrentDirectoryFollowsTheProcessAlsoForJapaneseNames) {
    SystemPlatform platform;
    testing::TempFolder temp;
    const std::string folder = temp.path().string() + "\\作業 ﾌｫﾙﾀﾞ";
    ASSERT_TRUE(CreateDirectoryW(widen(folder).c_str(), nullptr));
    const std::string saved = platform.currentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(widen(folder).c_str()));
    EXPECT_EQ(platform.currentDirectory(), folder);
    SetCurrentDirectoryW(widen(saved).c_str());
    EXPECT_EQ(platform.currentDirectory(), saved);
}

TEST(FoldersTest, UserConfigFolderIsHopwickInTheRoamingApplicationData) {
    SystemPlatform platform;
    const std::string folder = platform.userConfigFolder();
    const char* appData = std::getenv("APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(folder, std::string(appData) + "\\Hopwick");
}

} // namespace
} // namespace hopwick::win32
