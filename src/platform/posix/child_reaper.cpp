#include "platform/posix/child_reaper.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace hopwick::posix {

namespace {

struct Watched {
    int pidfd;
    pid_t pid;
};

// Shared with the reaper thread, which outlives every static destructor: never freed.
struct Reaper {
    std::mutex mutex;
    std::vector<Watched> handedOver;
    int wake = -1; // an eventfd that tells the thread about new children
};

void reap(pid_t pid) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

[[noreturn]] void watch(Reaper& reaper) {
    std::vector<Watched> watched;
    std::vector<pollfd> polled;
    for (;;) {
        polled.assign(1, {reaper.wake, POLLIN, 0});
        for (const Watched& child : watched) {
            polled.push_back({child.pidfd, POLLIN, 0});
        }
        if (poll(polled.data(), polled.size(), -1) < 0) {
            continue; // EINTR; nothing else can fail with these descriptors
        }
        // A pidfd turns readable when its process has ended.
        for (std::size_t i = polled.size() - 1; i > 0; --i) {
            if (polled[i].revents != 0) {
                reap(watched[i - 1].pid);
                close(watched[i - 1].pidfd);
                watched.erase(watched.begin() + static_cast<std::ptrdiff_t>(i - 1));
            }
        }
        if (polled[0].revents != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t ignored = read(reaper.wake, &count, sizeof count);
            const std::lock_guard lock(reaper.mutex);
            watched.insert(watched.end(), reaper.handedOver.begin(), reaper.handedOver.end());
            reaper.handedOver.clear();
        }
    }
}

Reaper* startReaper() {
    const int wake = eventfd(0, EFD_CLOEXEC);
    if (wake < 0) {
        return nullptr;
    }
    auto* reaper = new Reaper;
    reaper->wake = wake;
    // The thread inherits a mask that blocks everything, so that signals keep going to the threads that
    // expect them.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    std::thread(watch, std::ref(*reaper)).detach();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return reaper;
}

} // namespace

void reapWhenDone(pid_t child) {
    static Reaper* const reaper = startReaper();
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (reaper == nullptr || pidfd < 0) {
        // No pidfds (a kernel before 5.3): a thread of its own waits for this one child.
        if (pidfd >= 0) {
            close(pidfd);
        }
        std::thread(reap, child).detach();
        return;
    }
    {
        const std::lock_guard lock(reaper->mutex);
        reaper->handedOver.push_back({pidfd, child});
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(reaper->wake, &one, sizeof one);
}

} // namespace hopwick::posix
