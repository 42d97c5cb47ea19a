// A launcher killed while it saves, hundreds of times: the store is always the old record or the new one,
// whole, or torn mid-copy beside a whole copy of the new one, which the next start puts in; that start leaves
// no copy behind.

#include "child_process.h"
#include "folder_listing.h"
#include "form_fixture.h"
#include "store_lists.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace hopwick::testing {
namespace {

constexpr int kKills = 200;

struct Stamp {
    ino_t inode;
    timespec modified;
    bool operator==(const Stamp& other) const {
        return inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

class KilledSaveTest : public FormTest {
protected:
    Stamp storeStamp() const {
        struct stat status {};
        return stat(storePath().c_str(), &status) == 0 ? Stamp{status.st_ino, status.st_mtim} : Stamp{0, {}};
    }

    // A save rewrites the file, so a new modification time shows that the saver is past its start-up and
    // saving.
    bool waitForASave(const Stamp& before) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (storeStamp() == before) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return true;
    }
};

// The copies beside the store that a save leaves: ".SIS.hopwick-<pid>.new" once its copy is whole.
std::vector<std::string> completeCopies(const std::filesystem::path& folder) {
    std::vector<std::string> copies;
    for (const std::string& name : entriesOf(folder)) {
        if (name.starts_with(".SIS.hopwick-") && name.ends_with(".new")) {
            copies.push_back((folder / name).string());
        }
    }
    return copies;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(KilledSaveTest, EveryKillLeavesOneWholeRecordAndTheNextStartNoTemporary) {
    writeStore(kDefaultStore);
    const std::set<std::string> whole{kDefaultStore, storeBytesOf(platform, storedList('A')),
                                      storeBytesOf(platform, storedList('B'))};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pause(0, 4000);
    int leftTemporaries = 0;
    int tornAndMended = 0;
    const ino_t inode = storeStamp().inode;
    for (int round = 0; round < kKills; ++round) {
        const Stamp before = storeStamp();
        const pid_t saver = startHelper({"save-loop", folder.path().string(), round % 2 == 0 ? "AB" : "BA", "0"});
        ASSERT_GT(saver, 0);
        const bool saving = waitForASave(before);
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        kill(saver, SIGKILL);
        const int status = waitForChild(saver);
        ASSERT_TRUE(saving) << "the saver never saved";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself with status " << status;

        const std::vector<std::string> copies = completeCopies(folder.path());
        std::string mendedTo; // what a torn store must hold after the next start
        if (!whole.contains(storeBytes())) {
            // Killed while copying in place: exactly one whole copy stands beside the torn store.
            ASSERT_EQ(copies.size(), 1u) << "round " << round << ": a torn store with no whole copy beside it";
            mendedTo = bytesOf(copies[0]);
            ASSERT_TRUE(whole.contains(mendedTo)) << "round " << round << ": a copy nobody wrote";
            ++tornAndMended;
        }
        leftTemporaries += entriesOf(folder.path()).size() > 1 ? 1 : 0;
        MainForm next(platform);
        next.Form_Load();
        ASSERT_TRUE(platform.messages.empty()) << "round " << round << ": " << platform.messages[0].prompt;
        ASSERT_TRUE(whole.contains(storeBytes())) << "round " << round << ": a store nobody wrote";
        if (!mendedTo.empty()) {
            ASSERT_EQ(storeBytes(), mendedTo) << "round " << round << ": the torn store was not mended";
        }
        ASSERT_EQ(entriesOf(folder.path()), std::vector<std::string>{"SIS"}) << "round " << round;
        ASSERT_EQ(storeStamp().inode, inode) << "round " << round << ": the store is no longer the same file";
    }
    // How often a kill fell between a temporary's creation and its rename; informative, as it depends on timing.
    RecordProperty("KillsThatLeftATemporary", leftTemporaries);
    RecordProperty("KillsThatToreTheStore", tornAndMended);
    std::cout << leftTemporaries << " of " << kKills << " kills left a copy for the next start, " << tornAndMended
              << " of them beside a store torn mid-copy, which that start mended\n";
}

} // namespace
} // namespace hopwick::testing
