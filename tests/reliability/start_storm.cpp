#include "start_storm.h"

#include "platform/posix/detached_process.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace hopwick::testing {

namespace {

// Few enough to use up at once, enough for a started program's own.
constexpr rlim_t kDescriptorLimit = 64;

int threadCount() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Threads:")) {
            return std::stoi(line.substr(8));
        }
    }
    return -1;
}

// Asked without reaping, so that nothing is taken away from the reaper.
bool anyChildLeft() {
    siginfo_t info{};
    return !(waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD);
}

// Opens descriptors until none is left under a limit that leaves a started program room for its own.
std::vector<int> useUpDescriptors(const rlimit& original) {
    rlimit limit = original;
    limit.rlim_cur = std::min<rlim_t>(original.rlim_cur, kDescriptorLimit);
    std::vector<int> taken;
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return taken;
    }
    for (int fd = open("/dev/null", O_RDONLY | O_CLOEXEC); fd >= 0; fd = open("/dev/null", O_RDONLY | O_CLOEXEC)) {
        taken.push_back(fd);
    }
    return errno == EMFILE ? taken : std::vector<int>{};
}

// Each program lives on for a while, so that a thread per program would show while they all run.
bool start() {
    const int failure = posix::startDetached("/bin/sleep", {"sleep", "1"}, "");
    if (failure != 0) {
        std::cerr << "a start failed: errno " << failure << '\n';
    }
    return failure == 0;
}

} // namespace

int startStorm(int count, bool shortFromTheStart) {
    const int threadsBefore = threadCount();
    rlimit original{};
    getrlimit(RLIMIT_NOFILE, &original);
    const int firstFree = open("/dev/null", O_RDONLY | O_CLOEXEC);
    close(firstFree);
    if (!shortFromTheStart && !start()) {
        return kStormStartFailed;
    }
    std::vector<int> taken = useUpDescriptors(original);
    if (taken.empty()) {
        std::cerr << "could not use up the descriptors\n";
        return kStormStartFailed;
    }
    for (int i = 0; i < count; ++i) {
        if (!start()) {
            return kStormStartFailed;
        }
    }
    // While the programs run: reading /proc takes a descriptor.
    close(taken.back());
    taken.pop_back();
    const int threadsWhileRunning = threadCount();
    // Reaping must end every child while descriptors are still short.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (anyChildLeft() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool childLeft = anyChildLeft();
    for (int fd : taken) {
        close(fd);
    }
    setrlimit(RLIMIT_NOFILE, &original);
    if (childLeft) {
        std::cerr << "a started program was never reaped\n";
        return kStormZombieLeft;
    }
    if (threadsWhileRunning > threadsBefore + 1) {
        std::cerr << threadsWhileRunning << " threads while the programs ran, " << threadsBefore << " before\n";
        return kStormTooManyThreads;
    }
    const int free = open("/dev/null", O_RDONLY | O_CLOEXEC);
    close(free);
    // The reaper may keep its own two (an epoll set and its waker), set up before the descriptors ran out.
    if (free < 0 || free > firstFree + 2) {
        std::cerr << "descriptors stayed in use: the next free one is " << free << ", " << firstFree << " before\n";
        return kStormDescriptorsLeft;
    }
    return 0;
}

} // namespace hopwick::testing
