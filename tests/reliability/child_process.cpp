#include "child_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <sched.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hopwick::testing {

namespace {

constexpr int kSkippedExit = 77;
constexpr uid_t kNobody = 65534;
int skipPipe = -1; // the child's end of the pipe that carries a skip reason

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

void privateMounts() {
    if (unshare(CLONE_NEWNS) != 0) {
        skipChild(systemError("no mount namespace of our own (unshare)"));
    }
    // Nothing we mount may show outside this child.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        skipChild(systemError("cannot make the mounts private"));
    }
}

} // namespace

ChildOutcome runInChild(const std::function<void()>& body) {
    int reasonPipe[2];
    if (pipe(reasonPipe) != 0) {
        ADD_FAILURE() << systemError("pipe");
        return {};
    }
    // What is buffered now would otherwise be printed twice.
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0) {
        ADD_FAILURE() << systemError("fork");
        return {};
    }
    if (child == 0) {
        close(reasonPipe[0]);
        skipPipe = reasonPipe[1];
        body();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    close(reasonPipe[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t count; (count = read(reasonPipe[0], buffer, sizeof buffer)) != 0;) {
        if (count > 0) {
            reason.append(buffer, static_cast<std::size_t>(count));
        } else if (errno != EINTR) {
            break;
        }
    }
    close(reasonPipe[0]);
    const int status = waitForChild(child);
    ChildOutcome outcome;
    outcome.skipped = WIFEXITED(status) && WEXITSTATUS(status) == kSkippedExit;
    outcome.passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    outcome.skipReason = reason;
    if (!outcome.passed && !outcome.skipped) {
        ADD_FAILURE() << "the child's part of the test failed (status " << status << "), see above";
    }
    return outcome;
}

void skipChild(const std::string& reason) {
    if (skipPipe >= 0) {
        [[maybe_unused]] const ssize_t ignored = write(skipPipe, reason.data(), reason.size());
    }
    std::fflush(stdout);
    _exit(kSkippedExit);
}

void becomeUnprivileged(const std::filesystem::path& folder) {
    if (geteuid() != 0) {
        return;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (lchown(entry.path().c_str(), kNobody, kNobody) != 0) {
            skipChild(systemError("cannot hand the test folder over (lchown)"));
        }
    }
    if (chown(folder.c_str(), kNobody, kNobody) != 0 || setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
        setuid(kNobody) != 0) {
        skipChild(systemError("cannot become an unprivileged user"));
    }
}

void mountSmallTmpfs(const std::filesystem::path& folder, std::size_t bytes) {
    privateMounts();
    const std::string options = "size=" + std::to_string(bytes);
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        skipChild(systemError("cannot mount a small tmpfs"));
    }
}

void mountReadOnly(const std::filesystem::path& folder) {
    privateMounts();
    if (mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        skipChild(systemError("cannot mount the folder read-only"));
    }
}

pid_t startHelper(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{HOPWICK_HELPER_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = -1;
    if (const int failure = posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ); failure != 0) {
        ADD_FAILURE() << "cannot start " << argv[0] << ": " << std::strerror(failure);
        return -1;
    }
    return child;
}

int waitForChild(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            ADD_FAILURE() << systemError("waitpid");
            return -1;
        }
    }
    return status;
}

} // namespace hopwick::testing
