// While saves run, the store or the program's folder is swapped again and again (renameat2 with
// RENAME_EXCHANGE) with a symbolic link to another file of the same user: the held folder and the checks on
// the opened file keep every save off that file, and a reload never reads through the link.

#include "store/store_file.h"
#include "support/temp_folder.h"
#include "windowless_platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <stdio.h>
#include <thread>

namespace hopwick::testing {
namespace {

constexpr int kSaves = 300;

std::string record(int save) {
    std::string line = "\"save " + std::to_string(save) + "\"";
    for (int i = 1; i < 41; ++i) {
        line += ",\"\"";
    }
    return line + "\r\n";
}

// Swaps the two names until told to stop; counts the swaps, so that the test knows they happened.
class Swapper {
public:
    Swapper(std::string a, std::string b)
        : thread_([this, a, b] {
              while (!stop_) {
                  if (renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0) {
                      ++swaps_;
                  }
              }
          }) {}
    ~Swapper() { finish(); }
    int finish() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        return swaps_;
    }

private:
    std::atomic<bool> stop_ = false;
    std::atomic<int> swaps_ = 0;
    std::thread thread_;
};

TEST(SwappedLinkTest, AStoreSwappedForALinkNeverLetsASaveOrAReloadReachTheOtherFile) {
    TempFolder temp;
    const std::string other = temp.write("home/other", "the user's own file");
    temp.write("copy/SIS", record(0));
    std::filesystem::create_symlink(other, temp.path() / "copy" / "link");
    WindowlessPlatform platform(temp.file("copy"));
    StoreFile store(platform);
    ASSERT_EQ(store.load().kind, StoreFile::Load::Kind::Read);

    Swapper swapper(temp.file("copy/SIS"), temp.file("copy/link"));
    int written = 0;
    for (int save = 1; save <= kSaves; ++save) {
        written += store.save(record(save)).empty() ? 1 : 0;
        const StoreFile::Load load = store.load();
        ASSERT_NE(load.bytes, "the user's own file") << "a reload read through the link";
        ASSERT_EQ(temp.read("home/other"), "the user's own file") << "after save " << save;
    }
    EXPECT_GT(swapper.finish(), 0);
    EXPECT_EQ(temp.read("home/other"), "the user's own file");
    RecordProperty("saves written", written);
}

TEST(SwappedLinkTest, AProgramFolderSwappedForALinkNeverLetsASaveReachTheOtherFolder) {
    TempFolder temp;
    temp.write("home/SIS", "the user's own file");
    temp.write("copy/SIS", record(0));
    std::filesystem::create_directory_symlink(temp.path() / "home", temp.path() / "link");
    WindowlessPlatform platform(temp.file("copy"));
    StoreFile store(platform);
    ASSERT_EQ(store.load().kind, StoreFile::Load::Kind::Read);

    Swapper swapper(temp.file("copy"), temp.file("link"));
    for (int save = 1; save <= kSaves; ++save) {
        store.save(record(save));
        ASSERT_EQ(temp.read("home/SIS"), "the user's own file") << "after save " << save;
    }
    EXPECT_GT(swapper.finish(), 0);
    EXPECT_EQ(temp.read("home/SIS"), "the user's own file");
}

} // namespace
} // namespace hopwick::testing
