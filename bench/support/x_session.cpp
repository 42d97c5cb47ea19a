#include "support/x_session.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace hopwick::bench {

namespace {

// Starts a server program with its chatter silenced. It inherits no descriptor above
// `keep` (and none above standard error when `keep` is -1).
pid_t start(std::vector<std::string> arguments, int keep = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, std::max(keep, STDERR_FILENO) + 1);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = -1;
    const int failure = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        throw std::runtime_error("cannot start " + arguments.front());
    }
    return child;
}

void stop(pid_t child) {
    if (child > 0) {
        kill(child, SIGTERM);
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

} // namespace

XSession::XSession(const std::string& runtimeFolder) {
    // The server picks a free display itself and writes its number into the pipe once it accepts clients.
    int displayPipe[2];
    if (pipe(displayPipe) != 0) {
        throw std::runtime_error("cannot make a pipe");
    }
    // The writing end goes up high, so that the server can keep it and nothing else of ours.
    const int serverEnd = fcntl(displayPipe[1], F_DUPFD_CLOEXEC, 100);
    close(displayPipe[1]);
    displayPipe[1] = serverEnd;
    fcntl(displayPipe[0], F_SETFD, FD_CLOEXEC);
    fcntl(serverEnd, F_SETFD, 0);
    server_ =
        start({"Xvfb", "-displayfd", std::to_string(serverEnd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
              serverEnd);
    close(displayPipe[1]);
    std::string display;
    char c = 0;
    while (read(displayPipe[0], &c, 1) == 1 && c != '\n') {
        display += c;
    }
    close(displayPipe[0]);
    if (display.empty()) {
        stop(server_);
        throw std::runtime_error("Xvfb did not start");
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
    chmod(runtimeFolder.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    windowManager_ = start({"openbox", "--sm-disable"});
    // openbox has no readiness signal; it takes over the screen well within this.
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

XSession::~XSession() {
    stop(windowManager_);
    stop(server_);
}

} // namespace hopwick::bench
