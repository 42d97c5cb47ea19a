#include "platform/posix/child_reaper.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <sys/epoll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace hopwick::posix {

namespace {

constexpr int kEventsAtOnce = 16;

void reap(pid_t pid) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The child and its pidfd travel in the event's data, so that nothing is shared with the thread but the epoll set.
std::uint64_t packed(pid_t pid, int pidfd) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pid)) << 32) | static_cast<std::uint32_t>(pidfd);
}

[[noreturn]] void watch(int watched) {
    epoll_event events[kEventsAtOnce];
    for (;;) {
        const int ready = epoll_wait(watched, events, kEventsAtOnce, -1);
        for (int i = 0; i < ready; ++i) {
            // A pidfd turns readable when its process has ended. It leaves the set before it is closed: a copy
            // of it in a process forked meanwhile would keep it there.
            const auto pidfd = static_cast<int>(events[i].data.u64 & 0xFFFFFFFFu);
            reap(static_cast<pid_t>(events[i].data.u64 >> 32));
            epoll_ctl(watched, EPOLL_CTL_DEL, pidfd, nullptr);
            close(pidfd);
        }
    }
}

// The epoll set that the reaper thread waits on, or -1. A new child joins the set without waking the thread,
// so that a start costs the user-interface thread no switch to it.
int startReaper() {
    const int watched = epoll_create1(EPOLL_CLOEXEC);
    if (watched < 0) {
        return -1;
    }
    // The thread inherits a mask that blocks everything, so that signals keep going to the threads that
    // expect them.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    std::thread(watch, watched).detach();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return watched;
}

} // namespace

void reapWhenDone(pid_t child) {
    static const int watched = startReaper();
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = packed(child, pidfd);
    if (watched < 0 || pidfd < 0 || epoll_ctl(watched, EPOLL_CTL_ADD, pidfd, &event) != 0) {
        // No pidfds (a kernel before 5.3): a thread of its own waits for this one child.
        if (pidfd >= 0) {
            close(pidfd);
        }
        std::thread(reap, child).detach();
    }
}

} // namespace hopwick::posix
