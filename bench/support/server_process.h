#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace hopwick::bench {

// Starts a server program (found on PATH) with its chatter silenced. It inherits no descriptor above `keep` (and
// none above standard error when `keep` is -1).
pid_t startServer(std::vector<std::string> arguments, int keep = -1);

// Asks a server started by startServer to end, and waits for it; nothing for a pid of -1.
void stopServer(pid_t server);

} // namespace hopwick::bench
