#include "store/store_file.h"
#include "support/temp_folder.h"
#include "support/windowless_platform.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace hopwick::win32 {
namespace {

constexpr int kLevels = 40;

// The folder of a portable copy deeper than 260 characters and than 32 folder levels, made one level at a time
// in the "\\?\" form, which the system takes at any length.
std::string deepFolder(const testing::TempFolder& temp) {
    std::string folder = temp.path().string();
    for (int level = 0; level < kLevels; ++level) {
        folder += "\\level-" + std::to_string(level);
        CreateDirectoryW((L"\\\\?\\" + widen(folder)).c_str(), nullptr);
    }
    return folder;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(std::filesystem::path(L"\\\\?\\" + widen(path)), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(LongPathStoreTest, AStoreDeeperThanTheOldLimitsIsSavedAgainAndAgainAndLoadsBack) {
    testing::TempFolder temp;
    const std::string folder = deepFolder(temp);
    ASSERT_GT(folder.size(), 260u);
    testing::WindowlessPlatform platform(folder);
    const std::string store = folder + "\\SIS";
    {
        StoreFile file(platform);
        ASSERT_EQ(file.load().kind, StoreFile::Load::Kind::None);
        for (const char* record : {"\"NotePad\"\r\n", "\"Calc\"\r\n", "\"NotePad\",\"Calc\"\r\n"}) {
            ASSERT_EQ(file.save(record), "") << record;
            EXPECT_EQ(contentOf(store), record);
            EXPECT_EQ(file.lookAgain(), StoreFile::Change::None) << "its own save is no change";
        }
    }
    StoreFile again(platform);
    const StoreFile::Load load = again.load();
    EXPECT_EQ(load.kind, StoreFile::Load::Kind::Read) << load.error;
    EXPECT_EQ(load.bytes, "\"NotePad\",\"Calc\"\r\n");
    EXPECT_EQ(again.save("\"Calc\"\r\n"), "");
    EXPECT_EQ(contentOf(store), "\"Calc\"\r\n");
}

} // namespace
} // namespace hopwick::win32
