#include "support/timed_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/wait.h>

namespace hopwick::bench {
namespace {

using namespace std::chrono_literals;

// A child that waits `delay` seconds, reports its first frame as a Qt program of the benchmark does, then runs
// `after` in the shell.
std::vector<std::string> reportingChild(const std::string& delay, const std::string& after) {
    const std::string report = "import os, time; os.write(int(os.environ['" + std::string(kFirstFrameReportVariable) +
                               "']), b'%d\\n' % time.monotonic_ns())";
    return {"/bin/sh", "-c", "sleep " + delay + "; python3 -c \"" + report + "\"; " + after};
}

// Every child the harness started has been reaped.
bool noChildLeft() {
    return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

TEST(FirstFrameRun, MeasuresTheReportFromTheStartAndTheExitApart) {
    const FramedRun run = runToFirstFrame(reportingChild("0.2", "sleep 0.3"), 30s, 30s);
    EXPECT_FALSE(run.hung);
    // The child reported only after its 0.2 s wait and ended only 0.3 s after its report.
    EXPECT_GE(run.firstFrameMilliseconds, 200);
    EXPECT_GE(run.exit.milliseconds, run.firstFrameMilliseconds + 300);
    EXPECT_GT(run.exit.peakMegabytes, 0);
    // The descriptor's number is for the child alone: later programs must not find it.
    EXPECT_EQ(std::getenv(kFirstFrameReportVariable), nullptr);
    EXPECT_TRUE(noChildLeft());
}

TEST(FirstFrameRun, KillsAndCountsAChildThatHangsAfterItsReport) {
    const FramedRun run = runToFirstFrame(reportingChild("0", "exec sleep 600"), 30s, 1s);
    EXPECT_TRUE(run.hung);
    EXPECT_GT(run.firstFrameMilliseconds, 0);
    EXPECT_GE(run.exit.milliseconds, run.firstFrameMilliseconds + 1000);
    EXPECT_TRUE(noChildLeft());
}

TEST(FirstFrameRun, FailsWhenTheChildDoesNotReportOrFails) {
    // Ends without a report; never reports within the bound; reports but then fails.
    EXPECT_THROW(runToFirstFrame({"/bin/sh", "-c", "exit 0"}, 30s, 30s), std::runtime_error);
    EXPECT_THROW(runToFirstFrame({"/bin/sh", "-c", "exec sleep 600"}, 1s, 30s), std::runtime_error);
    EXPECT_THROW(runToFirstFrame(reportingChild("0", "exit 3"), 30s, 30s), std::runtime_error);
    EXPECT_THROW(runToFirstFrame({"/nonexistent/program"}, 30s, 30s), std::runtime_error);
    EXPECT_TRUE(noChildLeft());
}

} // namespace
} // namespace hopwick::bench
