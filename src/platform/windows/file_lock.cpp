#include "platform/windows/file_lock.h"

namespace hopwick::win32 {

namespace {

constexpr int kLockTries = 500;
constexpr DWORD kLockPause = 10; // milliseconds: five seconds in all

} // namespace

DWORD lockWholeFile(HANDLE file, DWORD flags) {
    for (int attempt = 0;; ++attempt) {
        OVERLAPPED whole{};
        if (LockFileEx(file, flags | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
            return ERROR_SUCCESS;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION || attempt == kLockTries) {
            return GetLastError();
        }
        Sleep(kLockPause);
    }
}

void unlockWholeFile(HANDLE file) {
    OVERLAPPED whole{};
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
}

} // namespace hopwick::win32
