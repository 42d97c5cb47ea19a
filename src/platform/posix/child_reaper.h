#pragma once

#include <sys/types.h>

namespace hopwick::posix {

// Reaps a started program as soon as it ends, so that it never lingers as a zombie, without anyone on the
// user-interface thread waiting for it. One background thread watches all of them, also when no descriptor is
// left to watch a child with; it takes no signals.
void reapWhenDone(pid_t child);

} // namespace hopwick::posix
