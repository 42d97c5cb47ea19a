#pragma once

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

} // namespace hopwick::bench
