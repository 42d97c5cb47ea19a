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
        platform.shellExecute("open", file, work, kShow);
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
    EXPECT_TRUE(platform.messages.empty());
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
    platform.shellExecute("open", "", work, kShow);
    platform.shellExecute("open", "x.txt", temp.file("no such folder"), kShow);
    // A later open through an xdg-open of its own, and every child reaped: an xdg-open that either call had
    // started would have recorded by then.
    StandInFolder later(temp.path(), "later-bin");
    later.add("xdg-open");
    platform.shellExecute("open", "x.txt", work, kShow);
    ASSERT_TRUE(later.waitFor("xdg-open"));
    ASSERT_TRUE(waitForEveryChildReaped());
    EXPECT_FALSE(bin.ran("xdg-open"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ShellOpenTest, AMissingXdgOpenIsToldOnceAndOpensNothing) {
    // Told once per process: the calls run in a child of their own, whatever other tests did before.
    const std::string failure = runInChild([&]() -> std::string {
        StandInFolder empty(temp.path(), "empty-bin");
        WindowlessPlatform child;
        child.shellExecute("open", temp.file("a.txt"), work, kShow);
        child.shellExecute("open", "mailto:maker@example.com", work, kShow);
        if (child.messages.size() != 1) {
            return std::to_string(child.messages.size()) + " message boxes";
        }
        const std::string& message = child.messages.front();
        if (message.find("xdg-open") == std::string::npos || message.find("xdg-utils") == std::string::npos) {
            return "message does not name xdg-open and xdg-utils: " + message;
        }
        return "";
    });
    EXPECT_EQ(failure, "");
    EXPECT_FALSE(bin.ran("xdg-open"));
}

} // namespace
} // namespace hopwick::testing
