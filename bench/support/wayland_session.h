#pragma once

#include <sys/types.h>

#include <string>

namespace hopwick::bench {

// A headless Wayland compositor (weston, drawing with pixman) for the time the object lives. Sets
// WAYLAND_DISPLAY and an XDG_RUNTIME_DIR of its own for this process and so for every program it starts
// afterwards, with no X display and no QT_QPA_PLATFORM: Qt programs run as native Wayland clients, as in a
// Wayland session.
class WaylandSession {
public:
    explicit WaylandSession(const std::string& runtimeFolder);
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;
    ~WaylandSession();

private:
    pid_t compositor_ = -1;
};

} // namespace hopwick::bench
