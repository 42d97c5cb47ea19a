// Starting programs when the process has no descriptor left: every start still works, every program is
// reaped, and reaping takes one thread however many programs run.

#include "child_process.h"
#include "start_storm.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace hopwick::testing {
namespace {

constexpr const char* kStarts = "300";

void expectStormPasses(const char* when) {
    const pid_t helper = startHelper({"start-storm", kStarts, when});
    ASSERT_GT(helper, 0);
    const int status = waitForChild(helper);
    ASSERT_TRUE(WIFEXITED(status)) << "the helper died with status " << status;
    EXPECT_NE(WEXITSTATUS(status), kStormStartFailed) << "a start failed";
    EXPECT_NE(WEXITSTATUS(status), kStormZombieLeft) << "a started program was never reaped";
    EXPECT_NE(WEXITSTATUS(status), kStormTooManyThreads) << "reaping took more than one thread";
    EXPECT_NE(WEXITSTATUS(status), kStormDescriptorsLeft) << "reaping kept descriptors";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ShortDescriptorsTest, StartsWithNoDescriptorFreeFromTheFirstAreAllReapedByOneThread) {
    expectStormPasses("first");
}

TEST(ShortDescriptorsTest, StartsAfterTheDescriptorsRanOutAreAllReapedByOneThread) {
    expectStormPasses("later");
}

} // namespace
} // namespace hopwick::testing
