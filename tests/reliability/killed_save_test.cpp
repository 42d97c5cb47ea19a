// A launcher killed while it saves, hundreds of times: the store is always the old record or the new one,
// whole, and the next start leaves no temporary file behind.

#include "child_process.h"
#include "folder_listing.h"
#include "form_fixture.h"
#include "store_lists.h"

#include <csignal>
#include <random>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace hopwick::testing {
namespace {

constexpr int kKills = 200;

class KilledSaveTest : public FormTest {
protected:
    ino_t storeInode() const {
        struct stat status {};
        return stat(storePath().c_str(), &status) == 0 ? status.st_ino : 0;
    }

    // A save replaces the file, so a new inode shows that the saver is past its start-up and saving.
    bool waitForASave(ino_t before) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (storeInode() == before) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return true;
    }
};

TEST_F(KilledSaveTest, EveryKillLeavesOneWholeRecordAndTheNextStartNoTemporary) {
    writeStore(kDefaultStore);
    const std::set<std::string> whole{kDefaultStore, storeBytesOf(platform, storedList('A')),
                                      storeBytesOf(platform, storedList('B'))};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pause(0, 4000);
    int leftTemporaries = 0;
    for (int round = 0; round < kKills; ++round) {
        const ino_t before = storeInode();
        const pid_t saver = startHelper({"save-loop", folder.path().string(), round % 2 == 0 ? "AB" : "BA", "0"});
        ASSERT_GT(saver, 0);
        const bool saving = waitForASave(before);
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        kill(saver, SIGKILL);
        const int status = waitForChild(saver);
        ASSERT_TRUE(saving) << "the saver never saved";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself with status " << status;

        ASSERT_TRUE(whole.contains(storeBytes())) << "round " << round << ": a store nobody wrote";
        leftTemporaries += entriesOf(folder.path()).size() > 1 ? 1 : 0;
        MainForm next(platform);
        next.Form_Load();
        ASSERT_TRUE(platform.messages.empty()) << "round " << round << ": " << platform.messages[0].prompt;
        ASSERT_EQ(entriesOf(folder.path()), std::vector<std::string>{"SIS"}) << "round " << round;
    }
    // How often a kill fell between a temporary's creation and its rename; informative, as it depends on timing.
    RecordProperty("KillsThatLeftATemporary", leftTemporaries);
    std::cout << leftTemporaries << " of " << kKills << " kills left a temporary file for the next start\n";
}

} // namespace
} // namespace hopwick::testing
