#include "support/wayland_session.h"

#include "support/server_process.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace hopwick::bench {

namespace {

constexpr const char* kSocket = "hopwick-bench";
constexpr auto kStartBound = std::chrono::seconds(15);

} // namespace

WaylandSession::WaylandSession(const std::string& runtimeFolder) {
    chmod(runtimeFolder.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    compositor_ = startServer({"weston", "--backend=headless-backend.so", "--use-pixman", "--idle-time=0",
                               "--no-config", std::string("--socket=") + kSocket});
    // weston has no readiness signal of its own; it accepts clients once its socket is there.
    const std::filesystem::path socket = std::filesystem::path(runtimeFolder) / kSocket;
    const auto deadline = std::chrono::steady_clock::now() + kStartBound;
    while (!std::filesystem::is_socket(socket)) {
        if (waitpid(compositor_, nullptr, WNOHANG) == compositor_) {
            throw std::runtime_error("weston ended at its start");
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stopServer(compositor_);
            throw std::runtime_error("weston did not open its socket");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    setenv("WAYLAND_DISPLAY", kSocket, 1);
}

WaylandSession::~WaylandSession() {
    stopServer(compositor_);
}

} // namespace hopwick::bench
