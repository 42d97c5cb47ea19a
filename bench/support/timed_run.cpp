#include "support/timed_run.h"

#include <cerrno>
#include <chrono>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace hopwick::bench {

TimedRun runTimed(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = -1;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + arguments.front());
    }
    int status = 0;
    struct rusage usage {};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("lost " + arguments.front());
        }
    }
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(arguments.front() + " failed with status " + std::to_string(status));
    }
    const auto milliseconds = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

} // namespace hopwick::bench
