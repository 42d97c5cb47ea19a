#include "posix_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace hopwick::testing {
namespace {

using Arguments = std::vector<std::string>;

class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        bin.add("xdg-open");
        std::filesystem::create_directories(work);
    }

    // Opens `file` and returns what the stand-in xdg-open received, removing its record for the next call.
    std::optional<StartRecord> open(const std::string& file) {
        EXPECT_EQ(platform.shellExecute("open", file, work, ShowCommand::Show), "") << file;
        auto record = bin.waitFor("xdg-open");
        std::filesystem::remove(bin.recordOf("xdg-open"));
        return record;
    }

    TempFolder temp;
    StandInFolder bin{temp.path(), "bin"};
    const std::string work = temp.file("作業 フォルダ");
    WindowlessPlatform platform;
};

TEST_F(ShellOpenTest, OpensTheFileAsOneArgumentInTheWorkingFolder) {
    const std::string document = temp.write("a document.txt", "x");
    const auto record = open(document);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->folder, work);
    EXPECT_EQ(record->arguments, Arguments{document});
}

TEST_F(ShellOpenTest, UrlsAndRelativePathsPassAsTheyStand) {
    for (const std::string file : {"mailto:maker@example.com?subject=Hopwick Help", "https://example.com/a b",
                                   "relative/doc.txt", "C:\\Tools\\run.exe", "*.txt"}) {
        const auto record = open(file);
        ASSERT_TRUE(record) << file;
        EXPECT_EQ(record->arguments, Arguments{file});
    }
}

TEST_F(ShellOpenTest, ANameThatLooksLikeAnOptionIsMadeAPath) {
    for (const std::string file : {"-rf", "--help", "-"}) {
        const auto record = open(file);
        ASSERT_TRUE(record) << file;
        EXPECT_EQ(record->arguments, Arguments{"./" + file});
    }
}

TEST_F(ShellOpenTest, ShellCharactersArriveUntouchedAndRunNothing) {
    for (const std::string file : {"; touch pwned1", "$(touch pwned2)", "`touch pwned3`", "a && touch pwned4 | cat",
                                   "'\"; touch pwned5; echo \"'", "> pwned6", "$HOME ~ * ?"}) {
        const auto record = open(file);
        ASSERT_TRUE(record) << file;
        EXPECT_EQ(record->arguments, Arguments{file});
    }
    ASSERT_TRUE(waitForEveryChildReaped()); // a shell, had one run, would have ended after its commands
    EXPECT_EQ(folderEntries(work), Arguments{});
}

TEST_F(ShellOpenTest, NothingIsOpenedForAnEmptyFileOrAMissingWorkingFolder) {
    // Neither is a failure to tell: the opener is there, and what it does is not reported back.
    EXPECT_EQ(platform.shellExecute("open", "", work, ShowCommand::Show), "");
    EXPECT_EQ(platform.shellExecute("open", "x.txt", temp.file("no such folder"), ShowCommand::Show), "");
    // A later open through an xdg-open of its own, and every child reaped: an xdg-open that either call had
    // started would have recorded by then.
    StandInFolder later(temp.path(), "later-bin");
    later.add("xdg-open");
    EXPECT_EQ(platform.shellExecute("open", "x.txt", work, ShowCommand::Show), "");
    ASSERT_TRUE(later.waitFor("xdg-open"));
    ASSERT_TRUE(waitForEveryChildReaped());
    EXPECT_FALSE(bin.ran("xdg-open"));
}

// The system layer shows nothing: every open reports the missing opener, for the window to tell the user.
TEST_F(ShellOpenTest, AMissingXdgOpenIsReportedAtEveryOpenAndOpensNothing) {
    const StandInFolder empty(temp.path(), "empty-bin");
    for (const std::string& file : {temp.file("a.txt"), std::string("mailto:maker@example.com")}) {
        const std::string failure = platform.shellExecute("open", file, work, ShowCommand::Show);
        EXPECT_NE(failure.find("xdg-open"), std::string::npos) << failure;
        EXPECT_NE(failure.find("xdg-utils"), std::string::npos) << failure;
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(bin.ran("xdg-open"));
}

} // namespace
} // namespace hopwick::testing
