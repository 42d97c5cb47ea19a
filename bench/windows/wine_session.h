#pragma once

#include <string>

namespace hopwick::bench {

// Wine as scripts/wine-run.sh gives it to the Windows tests (a prefix of its own, a Japanese locale, no extra
// output), with a server kept running, which spares every run Wine's own start. The server is stopped when the
// session ends, also when the run fails: a persistent server left behind would keep the run's output open.
class WineSession {
public:
    // The prefix is made once under `root` by the script the Windows tests use.
    explicit WineSession(const std::string& root);
    ~WineSession();
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;
};

// A Windows path for a file of this machine, through Wine's Z: drive.
std::string windowsPath(std::string path);

} // namespace hopwick::bench
