#include "support/timed_run.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hopwick::bench {

namespace {

// CLOCK_MONOTONIC, the clock on which the started programs report their first frame.
double nowMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

pid_t spawn(const std::vector<std::string>& arguments, const posix_spawn_file_actions_t* actions) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = -1;
    if (posix_spawnp(&child, argv[0], actions, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + arguments.front());
    }
    return child;
}

// Waits for the child's end; its status, and its figures measured from `started`.
TimedRun reap(pid_t child, const std::string& name, double started, int& status) {
    struct rusage usage {};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("lost " + name);
        }
    }
    const double ended = nowMilliseconds();
    const auto milliseconds = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    return {ended - started, milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void requireSuccess(int status, const std::string& name) {
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(name + " failed with status " + std::to_string(status));
    }
}

// Whether `descriptor` turned readable within `bound`.
bool readableWithin(int descriptor, std::chrono::milliseconds bound) {
    pollfd watched{descriptor, POLLIN, 0};
    int ready = 0;
    while ((ready = poll(&watched, 1, static_cast<int>(bound.count()))) < 0 && errno == EINTR) {
    }
    return ready > 0;
}

// The child's report of its first frame, in milliseconds on CLOCK_MONOTONIC; 0 when it ended without one or did
// not report within `bound`.
double readFirstFrame(int reportEnd, std::chrono::milliseconds bound) {
    std::string line;
    char c = 0;
    while (readableWithin(reportEnd, bound) && read(reportEnd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return c == '\n' && !line.empty() ? std::stod(line) / 1e6 : 0;
}

} // namespace

TimedRun runTimed(const std::vector<std::string>& arguments) {
    const double started = nowMilliseconds();
    const pid_t child = spawn(arguments, nullptr);
    int status = 0;
    const TimedRun run = reap(child, arguments.front(), started, status);
    requireSuccess(status, arguments.front());
    return run;
}

FramedRun runToFirstFrame(const std::vector<std::string>& arguments, std::chrono::milliseconds frameBound,
                          std::chrono::milliseconds exitBound) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe");
    }
    // The child gets the writing end without close-on-exec under a number other than its own.
    const int childEnd = report[1] == 3 ? 4 : 3;
    setenv(kFirstFrameReportVariable, std::to_string(childEnd).c_str(), 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, report[1], childEnd);
    const double started = nowMilliseconds();
    pid_t child = -1;
    try {
        child = spawn(arguments, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        close(report[0]);
        close(report[1]);
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
    unsetenv(kFirstFrameReportVariable);
    close(report[1]);
    const double firstFrame = readFirstFrame(report[0], frameBound);
    close(report[0]);

    // A child that does not end within the bound is killed, and a pidfd tells when it has ended.
    const int ending = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    const bool hung = firstFrame > 0 && ending >= 0 && !readableWithin(ending, exitBound);
    if (firstFrame == 0 || ending < 0 || hung) {
        kill(child, SIGKILL);
    }
    if (ending >= 0) {
        close(ending);
    }
    int status = 0;
    FramedRun run{firstFrame - started, hung, reap(child, arguments.front(), started, status)};
    if (ending < 0) {
        throw std::runtime_error("cannot watch " + arguments.front());
    }
    if (firstFrame == 0) {
        throw std::runtime_error(arguments.front() + " did not report its first frame (status " +
                                 std::to_string(status) + ")");
    }
    if (!hung) {
        requireSuccess(status, arguments.front());
    }
    return run;
}

} // namespace hopwick::bench
