#pragma once

#include <windows.h>

namespace hopwick::win32 {

// Locks the whole open file (shared, or with LOCKFILE_EXCLUSIVE_LOCK exclusive), waiting for a save of
// another process to end, but not for ever: a process that holds the lock for seconds is not a save.
// Returns ERROR_SUCCESS or the system's error code.
DWORD lockWholeFile(HANDLE file, DWORD flags);
void unlockWholeFile(HANDLE file);

} // namespace hopwick::win32
