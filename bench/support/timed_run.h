#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace hopwick::bench {

struct TimedRun {
    double milliseconds = 0;    // from just before the process starts to its exit
    double cpuMilliseconds = 0; // user and system time: less moved by other load on the machine than the clock
    double peakMegabytes = 0;   // its peak resident set
};

// Runs a program (found on PATH when its name has no slash) to its end; throws when it cannot be started or does not
// end with status 0.
TimedRun runTimed(const std::vector<std::string>& arguments);

// The environment variable that names the descriptor on which a program reports its first frame: one line with
// the CLOCK_MONOTONIC time, in nanoseconds, at which its first paint had reached the display.
inline constexpr const char* kFirstFrameReportVariable = "HOPWICK_BENCH_FIRST_FRAME_FD";

struct FramedRun {
    double firstFrameMilliseconds = 0; // from just before the process starts to its report of the first frame
    bool hung = false;                 // it did not exit within the bound after its first frame and was killed
    TimedRun exit;                     // its figures up to the exit; those of a hung run include the hang
};

// Runs a program that reports its first frame (see kFirstFrameReportVariable) and then exits. A program that does
// not exit within `exitBound` of its report is killed and counted as hung; throws when it cannot be started, does
// not report within `frameBound`, or exits by itself with a status other than 0.
FramedRun runToFirstFrame(const std::vector<std::string>& arguments, std::chrono::milliseconds frameBound,
                          std::chrono::milliseconds exitBound);

} // namespace hopwick::bench
