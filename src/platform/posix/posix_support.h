#pragma once

#include "platform/system_services.h"

#include <cstddef>
#include <string>
#include <string_view>

// Small helpers shared by the POSIX implementation files; not part of the platform interface.
namespace hopwick::posix {

// The text for an errno value that the window shows: Japanese for every common value, the system's own text
// for a rare one. Safe from any thread.
std::string errorText(int errorNumber);

// Takes a flock() lock (LOCK_SH or LOCK_EX) on the open file, waiting for a save of another process to end,
// but not for ever: a process that holds the lock for seconds is not a save. Returns 0 or the errno.
int lockFile(int fd, int operation);

// Reads the open file from where it stands, at most `maxBytes`; `sizeHint` is the size it had when opened.
FileRead readOpenFile(int fd, std::size_t sizeHint, std::size_t maxBytes);

// Owns an open file descriptor (or a negative value, for a failed open) and closes it at the end of the scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();
    int get() const { return fd_; }

private:
    int fd_;
};

// The user's home folder: $HOME, or the password database's entry when HOME is unset or empty; "" if neither.
std::string homeFolder();

} // namespace hopwick::posix
