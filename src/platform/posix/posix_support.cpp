#include "platform/posix/posix_support.h"

#include "platform/posix/error_texts.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace hopwick::posix {

namespace {

constexpr int kLockTries = 500;
constexpr useconds_t kLockPause = 10000; // five seconds in all

} // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

int lockFile(int fd, int operation) {
    for (int attempt = 0;; ++attempt) {
        if (flock(fd, operation | LOCK_NB) == 0) {
            return 0;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || attempt == kLockTries) {
            return errno;
        }
        usleep(kLockPause);
    }
}

std::string errorText(int errorNumber) {
    // The system's own Japanese where it has it, ours for the common failures, else the system's text as it is.
    if (std::string japanese = systemJapaneseErrorText(errorNumber); !japanese.empty()) {
        return japanese;
    }
    if (const char* own = ownErrorText(errorNumber)) {
        return own;
    }
    return systemErrorText(errorNumber);
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    while (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    return found != nullptr && found->pw_dir != nullptr ? found->pw_dir : "";
}

} // namespace hopwick::posix
