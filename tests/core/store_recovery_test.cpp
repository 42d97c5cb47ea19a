// What a start mends of the saves that died, over a folder in memory: the rule is written once for both
// systems, so this holds for both.

#include "memory_folder.h"
#include "store/save_protocol.h"

#include <gtest/gtest.h>

namespace hopwick::testing {
namespace {

constexpr std::uint64_t kDeadWriter = 7;
constexpr std::uint64_t kLiveWriter = 8;

class StoreRecoveryTest : public ::testing::Test {
protected:
    StoreRecoveryTest() {
        world.liveProcesses.insert(kLiveWriter);
        folderIndex = world.makeFolder("/shared");
        world.putFile(folderIndex, "SIS", "old");
    }
    std::string copy(std::uint64_t writer, const char* end) const {
        return ".SIS.hopwick-" + std::to_string(writer) + end;
    }
    void recover() {
        const std::unique_ptr<StoreFolder> folder = world.open("/shared");
        recoverStore(*folder, "SIS");
    }
    std::string store() const { return world.fileAt("/shared", "SIS")->bytes; }
    bool stands(const std::string& name) const { return world.fileAt("/shared", name) != nullptr; }

    MemoryWorld world;
    std::uint64_t folderIndex = 0;
};

TEST_F(StoreRecoveryTest, ACompleteCopyThatAnotherUserLeftIsNeverPutIn) {
    world.putFile(folderIndex, copy(kDeadWriter, ".new"), "planted", false);
    recover();
    EXPECT_EQ(store(), "old");
    EXPECT_TRUE(stands(copy(kDeadWriter, ".new"))); // not ours to remove either
}

TEST_F(StoreRecoveryTest, OurOwnCompleteCopyOfADeadWriterIsPutInAndGoes) {
    world.putFile(folderIndex, copy(kDeadWriter, ".new"), "whole");
    recover();
    EXPECT_EQ(store(), "whole");
    EXPECT_FALSE(stands(copy(kDeadWriter, ".new")));
}

TEST_F(StoreRecoveryTest, CopiesOfWritersStillRunningStayAndUnfinishedOnesOfDeadWritersGo) {
    world.putFile(folderIndex, copy(kLiveWriter, ".new"), "theirs, still being put in");
    world.putFile(folderIndex, copy(kLiveWriter, ".tmp"), "theirs, still being written");
    world.putFile(folderIndex, copy(kDeadWriter, ".tmp"), "half", false);
    world.putFile(folderIndex, ".OTHER.hopwick-7.new", "another store's");
    recover();
    EXPECT_EQ(store(), "old");
    EXPECT_TRUE(stands(copy(kLiveWriter, ".new")));
    EXPECT_TRUE(stands(copy(kLiveWriter, ".tmp")));
    EXPECT_FALSE(stands(copy(kDeadWriter, ".tmp")));
    EXPECT_TRUE(stands(".OTHER.hopwick-7.new"));
}

} // namespace
} // namespace hopwick::testing
