#include "platform/posix/error_texts.h"
#include "platform/posix/link_target.h"
#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick {

namespace {

FileRead failed(std::string reason) {
    FileRead result;
    result.status = FileRead::Status::Failed;
    result.error = std::move(reason);
    return result;
}

// One read() that is retried when a signal interrupts it.
ssize_t readSome(int fd, char* buffer, std::size_t size) {
    ssize_t count;
    do {
        count = read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

} // namespace

FileRead posix::readOpenFile(int fd, std::size_t sizeHint, std::size_t maxBytes) {
    FileRead result;
    result.status = FileRead::Status::Read;
    // The size is only a hint (the file may grow or shrink while we read); memory stays bounded by maxBytes.
    result.bytes.resize(std::min<std::size_t>(maxBytes, sizeHint));
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled == maxBytes) {
                break;
            }
            result.bytes.resize(std::min<std::size_t>(maxBytes, std::max<std::size_t>(filled * 2, 4096)));
        }
        const ssize_t count = readSome(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (count < 0) {
            return failed(errorText(errno));
        }
        if (count == 0) {
            result.bytes.resize(filled);
            return result;
        }
        filled += static_cast<std::size_t>(count);
    }
    // Full up to the limit: one more byte tells whether the file holds more.
    char probe = 0;
    const ssize_t count = readSome(fd, &probe, 1);
    if (count < 0) {
        return failed(errorText(errno));
    }
    result.truncated = count > 0;
    return result;
}

FileRead SystemPlatform::readFile(const std::string& path, std::size_t maxBytes) {
    const posix::LinkTarget link = posix::followLinks(path);
    if (!link.error.empty()) {
        return failed(link.error);
    }
    // Non-blocking open, so that a FIFO without a writer cannot hold the user-interface thread. The links
    // are followed already; one put in their place meanwhile is refused.
    const posix::FileDescriptor file(
        open(link.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW));
    if (file.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return {};
        }
        return failed(posix::errorText(errno));
    }
    struct stat status {};
    if (fstat(file.get(), &status) != 0) {
        return failed(posix::errorText(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        return failed(posix::errorText(EISDIR));
    }
    if (!S_ISREG(status.st_mode)) {
        return failed(posix::kNotARegularFile);
    }
    // A save copies its content in under an exclusive lock: with the shared one we read a whole content.
    // A lock that never comes is no save; the file is read as it is.
    posix::lockFile(file.get(), LOCK_SH);
    return posix::readOpenFile(file.get(), static_cast<std::size_t>(status.st_size), maxBytes);
}

} // namespace hopwick
