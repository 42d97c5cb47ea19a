#include "support/x_session.h"

#include "support/server_process.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace hopwick::bench {

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
    server_ = startServer(
        {"Xvfb", "-displayfd", std::to_string(serverEnd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
        serverEnd);
    close(displayPipe[1]);
    std::string display;
    char c = 0;
    while (read(displayPipe[0], &c, 1) == 1 && c != '\n') {
        display += c;
    }
    close(displayPipe[0]);
    if (display.empty()) {
        stopServer(server_);
        throw std::runtime_error("Xvfb did not start");
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
    chmod(runtimeFolder.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    windowManager_ = startServer({"openbox", "--sm-disable"});
    // openbox has no readiness signal; it takes over the screen well within this.
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

XSession::~XSession() {
    stopServer(windowManager_);
    stopServer(server_);
}

} // namespace hopwick::bench
