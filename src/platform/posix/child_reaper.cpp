#include "platform/posix/child_reaper.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <pthread.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace hopwick::posix {

namespace {

constexpr int kEventsAtOnce = 16;
// How often children without a pidfd are asked whether they have ended.
constexpr std::chrono::milliseconds kPollInterval{100};
// The event that only wakes the thread; no pidfd packs to it, as a pid is never 0.
constexpr std::uint64_t kWakeEvent = 0;

void reap(pid_t pid) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The child and its pidfd travel in the event's data, so that nothing is shared with the thread but the epoll set.
std::uint64_t packed(pid_t pid, int pidfd) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pid)) << 32) | static_cast<std::uint32_t>(pidfd);
}

// Not SA_NOCLDWAIT: it holds for the whole process, where any other wait for a child would then find none (ECHILD).
// One thread reaps every child: those with a pidfd as the kernel reports them ending, those without one (no
// descriptor was left, or the kernel has no pidfds) by asking after them now and then. However short of
// descriptors the process runs, it never takes more than this one thread.
class Reaper {
public:
    Reaper() {
        watched_ = epoll_create1(EPOLL_CLOEXEC);
        if (watched_ >= 0) {
            waker_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
            epoll_event event{};
            event.events = EPOLLIN;
            event.data.u64 = kWakeEvent;
            if (waker_ >= 0 && epoll_ctl(watched_, EPOLL_CTL_ADD, waker_, &event) != 0) {
                close(waker_);
                waker_ = -1;
            }
        }
        // The thread inherits a mask that blocks everything, so that signals keep going to the threads that
        // expect them.
        sigset_t all;
        sigset_t previous;
        sigfillset(&all);
        pthread_sigmask(SIG_SETMASK, &all, &previous);
        pthread_t thread{};
        threadRuns_ = pthread_create(&thread, nullptr, &Reaper::runThread, this) == 0;
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        if (threadRuns_) {
            pthread_detach(thread);
        } else {
            closeWatch();
        }
    }

    // A new child joins the set without waking the thread, so that a start costs the user-interface thread
    // no switch to it.
    void add(pid_t child) {
        if (!threadRuns_) {
            // No thread could be made: every start reaps what has ended so far, so that zombies stay few.
            const std::lock_guard lock(mutex_);
            polled_.push_back(child);
            reapPolledLocked();
            return;
        }
        const int pidfd = watched_ < 0 ? -1 : static_cast<int>(syscall(SYS_pidfd_open, child, 0));
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = packed(child, pidfd);
        if (pidfd >= 0 && epoll_ctl(watched_, EPOLL_CTL_ADD, pidfd, &event) == 0) {
            return;
        }
        if (pidfd >= 0) {
            close(pidfd);
        }
        {
            const std::lock_guard lock(mutex_);
            polled_.push_back(child);
        }
        wake();
    }

private:
    void closeWatch() {
        for (int* fd : {&waker_, &watched_}) {
            if (*fd >= 0) {
                close(*fd);
                *fd = -1;
            }
        }
    }

    void wake() {
        if (watched_ < 0) {
            changed_.notify_one();
        } else if (waker_ >= 0) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t written = write(waker_, &one, sizeof one);
        }
    }

    bool polling() {
        const std::lock_guard lock(mutex_);
        return !polled_.empty();
    }

    static void* runThread(void* reaper) { static_cast<Reaper*>(reaper)->run(); }

    [[noreturn]] void run() {
        for (;;) {
            if (watched_ >= 0) {
                // Without a waker a child may join the polled ones unannounced: keep looking for them.
                const bool timed = polling() || waker_ < 0;
                waitForEvents(timed ? static_cast<int>(kPollInterval.count()) : -1);
            } else {
                std::unique_lock lock(mutex_);
                if (polled_.empty()) {
                    changed_.wait(lock, [this] { return !polled_.empty(); });
                } else {
                    changed_.wait_for(lock, kPollInterval);
                }
            }
            reapPolled();
        }
    }

    void waitForEvents(int timeoutMilliseconds) {
        epoll_event events[kEventsAtOnce];
        const int ready = epoll_wait(watched_, events, kEventsAtOnce, timeoutMilliseconds);
        for (int i = 0; i < ready; ++i) {
            if (events[i].data.u64 == kWakeEvent) {
                std::uint64_t count = 0;
                [[maybe_unused]] const ssize_t got = read(waker_, &count, sizeof count);
                continue;
            }
            // A pidfd turns readable when its process has ended. It leaves the set before it is closed: a copy
            // of it in a process forked meanwhile would keep it there.
            const auto pidfd = static_cast<int>(events[i].data.u64 & 0xFFFFFFFFu);
            reap(static_cast<pid_t>(events[i].data.u64 >> 32));
            epoll_ctl(watched_, EPOLL_CTL_DEL, pidfd, nullptr);
            close(pidfd);
        }
    }

    void reapPolled() {
        const std::lock_guard lock(mutex_);
        reapPolledLocked();
    }

    void reapPolledLocked() {
        std::erase_if(polled_, [](pid_t child) {
            pid_t ended = 0;
            do {
                ended = waitpid(child, nullptr, WNOHANG);
            } while (ended < 0 && errno == EINTR);
            return ended == child || (ended < 0 && errno == ECHILD);
        });
    }

    int watched_ = -1;
    int waker_ = -1;
    bool threadRuns_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<pid_t> polled_;
};

} // namespace

void reapWhenDone(pid_t child) {
    static Reaper* const reaper = new Reaper; // lives as long as its thread, which never ends
    reaper->add(child);
}

} // namespace hopwick::posix
