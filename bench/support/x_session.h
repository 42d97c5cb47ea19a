#pragma once

#include <sys/types.h>

#include <string>

namespace hopwick::bench {

// A virtual X display with a window manager on it, for the time the object lives. Sets DISPLAY (and an
// XDG_RUNTIME_DIR of its own) for this process and so for every program it starts afterwards.
class XSession {
public:
    explicit XSession(const std::string& runtimeFolder);
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;
    ~XSession();

private:
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
};

} // namespace hopwick::bench
