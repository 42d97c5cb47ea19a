#include "platform/posix/error_texts.h"
#include "platform/posix/link_target.h"
#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick {

namespace {

// A save first writes the new content into a copy beside the file (".SIS.hopwick-<pid>.tmp"), and once the
// copy is whole and on the disk renames it to ".SIS.hopwick-<pid>.new". Then it copies it into the file in
// place and removes it. A ".new" whose writer is gone may thus stand beside a file torn mid-copy: the next
// start copies it in again. A ".tmp" whose writer is gone is only an unfinished copy, and goes.
constexpr const char* kCopyMark = ".hopwick-";
constexpr std::string_view kUnfinishedEnd = ".tmp";
constexpr std::string_view kCompleteEnd = ".new";

std::string joined(const std::string& folder, std::string_view name) {
    if (folder.empty()) {
        return std::string(name);
    }
    return folder.back() == '/' ? folder + std::string(name) : folder + "/" + std::string(name);
}

std::string copyPrefix(std::string_view targetName) {
    return "." + std::string(targetName) + kCopyMark;
}

std::string copyName(std::string_view targetName, std::string_view end) {
    return copyPrefix(targetName) + std::to_string(getpid()) + std::string(end);
}

int makeFolders(const std::string& folder) {
    if (folder.empty()) {
        return 0;
    }
    struct stat status {};
    if (stat(folder.c_str(), &status) == 0) {
        return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
    }
    if (errno != ENOENT) {
        return errno;
    }
    if (const std::string parent = posix::folderPart(folder); parent != folder) {
        if (const int failure = makeFolders(parent); failure != 0) {
            return failure;
        }
    }
    // mkdir applies the umask itself.
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
        return errno;
    }
    return 0;
}

// A write beyond RLIMIT_FSIZE must come back as EFBIG rather than end the whole program.
void ignoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            signal(SIGXFSZ, SIG_IGN);
        }
    });
}

int writeAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t count = pwrite(fd, bytes.data(), bytes.size(), offset);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
        offset += count;
    }
    return 0;
}

int readAllAt(int fd, std::string& bytes, off_t offset) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count =
            pread(fd, bytes.data() + filled, bytes.size() - filled, offset + static_cast<off_t>(filled));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? errno : EIO;
        }
        filled += static_cast<std::size_t>(count);
    }
    return 0;
}

// EINVAL: the file system has nothing to flush (some virtual ones); the data is as safe as it gets.
int flush(int fd) {
    return fsync(fd) != 0 && errno != EINVAL ? errno : 0;
}

void syncFolder(const std::string& folder) {
    const posix::FileDescriptor directory(
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        // What matters has been written; a folder that cannot be flushed changes nothing about the outcome.
        fsync(directory.get());
    }
}

// Writes a whole, flushed file under a name that is ours alone; returns 0 or the errno of the first failure.
int writeCopy(const std::string& name, std::string_view bytes, mode_t mode) {
    // A file under our own process id can only be left from an earlier process that had the same id.
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0 && errno == EEXIST && unlink(name.c_str()) == 0) {
        fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    }
    if (fd < 0) {
        return errno;
    }
    int failure = writeAllAt(fd, bytes, 0);
    if (failure == 0) {
        failure = flush(fd);
    }
    if (close(fd) != 0 && failure == 0 && errno != EINTR) {
        failure = errno;
    }
    if (failure != 0) {
        unlink(name.c_str());
    }
    return failure;
}

// Puts `bytes` into the open file in place, flushed. A failure part way puts the old bytes back, so the
// file holds its old content again (the blocks it overwrote are its own, so that write cannot run short).
int copyInPlace(int fd, std::string_view bytes) {
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        return errno;
    }
    const auto newSize = static_cast<off_t>(bytes.size());
    // Room first, where the file system can promise it, so that a full disk fails before a byte changes.
    if (newSize > status.st_size && fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, newSize) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS) {
        return errno;
    }
    std::string old(static_cast<std::size_t>(std::min(status.st_size, newSize)), '\0');
    if (const int failure = readAllAt(fd, old, 0); failure != 0) {
        return failure;
    }
    int failure = writeAllAt(fd, bytes, 0);
    if (failure == 0 && ftruncate(fd, newSize) != 0) {
        failure = errno;
    }
    if (failure == 0) {
        failure = flush(fd);
    }
    if (failure != 0) {
        writeAllAt(fd, old, 0);
        [[maybe_unused]] const int ignored = ftruncate(fd, status.st_size);
        flush(fd);
    }
    return failure;
}

// Calls `visit` with the name, kind and writer of every copy that a save of `targetName` left in `folder`.
void forEachCopy(const std::string& folder, std::string_view targetName,
                 const std::function<void(int folderFd, const char* name, bool complete, pid_t writer)>& visit) {
    std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.empty() ? "." : folder.c_str()), closedir);
    if (!directory) {
        return;
    }
    const std::string prefix = copyPrefix(targetName);
    while (const dirent* entry = readdir(directory.get())) {
        const std::string_view candidate = entry->d_name;
        const bool complete = candidate.ends_with(kCompleteEnd);
        if (!candidate.starts_with(prefix) || (!complete && !candidate.ends_with(kUnfinishedEnd)) ||
            candidate.size() <= prefix.size() + kCompleteEnd.size()) {
            continue;
        }
        const std::string_view digits = candidate.substr(prefix.size(), candidate.size() - prefix.size() - 4);
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
            continue;
        }
        visit(dirfd(directory.get()), entry->d_name, complete, static_cast<pid_t>(std::stol(std::string(digits))));
    }
}

// EPERM means the process lives under another user: still running.
bool writerIsGone(pid_t writer) {
    return writer > 0 && kill(writer, 0) != 0 && errno == ESRCH;
}

bool isRegularFile(int folderFd, const char* name, bool mustBeOurs) {
    struct stat status {};
    return fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
           (!mustBeOurs || status.st_uid == geteuid());
}

// Under the file's lock, once a whole content is in it: the complete copies of writers that died are
// out of date, as this content came after them.
void discardOutdatedCopies(const std::string& folder, std::string_view targetName) {
    forEachCopy(folder, targetName, [](int folderFd, const char* name, bool complete, pid_t writer) {
        if (complete && writerIsGone(writer) && isRegularFile(folderFd, name, false)) {
            unlinkat(folderFd, name, 0);
        }
    });
}

FileWrite failedWith(int errorNumber) {
    return {false, posix::errorText(errorNumber)};
}

// A store that does not exist yet appears whole: its content goes into a new file that is then renamed.
FileWrite createFile(const std::string& target, std::string_view bytes) {
    const std::string folder = posix::folderPart(target);
    if (const int failure = makeFolders(folder); failure != 0) {
        return failedWith(failure);
    }
    const std::string copy = joined(folder, copyName(posix::lastElement(target), kUnfinishedEnd));
    int failure = writeCopy(copy, bytes, 0644);
    if (failure == 0 && rename(copy.c_str(), target.c_str()) != 0) {
        failure = errno;
        unlink(copy.c_str());
    }
    if (failure != 0) {
        return failedWith(failure);
    }
    syncFolder(folder);
    return {true, {}};
}

FileWrite rewriteInPlace(int fd, const std::string& target, std::string_view bytes) {
    const std::string folder = posix::folderPart(target);
    const std::string_view name = posix::lastElement(target);
    const std::string unfinished = joined(folder, copyName(name, kUnfinishedEnd));
    const std::string complete = joined(folder, copyName(name, kCompleteEnd));
    // Only we may read the copy: the file itself may be private.
    if (const int failure = writeCopy(unfinished, bytes, 0600); failure != 0) {
        return failedWith(failure);
    }
    if (rename(unfinished.c_str(), complete.c_str()) != 0) {
        const int failure = errno;
        unlink(unfinished.c_str());
        return failedWith(failure);
    }
    syncFolder(folder);
    int failure = posix::lockFile(fd, LOCK_EX);
    if (failure == 0) {
        failure = copyInPlace(fd, bytes);
    }
    if (failure == 0) {
        discardOutdatedCopies(folder, name);
    }
    unlink(complete.c_str());
    flock(fd, LOCK_UN);
    return failure == 0 ? FileWrite{true, {}} : failedWith(failure);
}

// Copies a complete copy that a dead writer left into the file, under the file's lock.
void finishCopy(int folderFd, const char* copyName, const std::string& target) {
    const posix::FileDescriptor file(open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0 && errno == ENOENT) {
        unlinkat(folderFd, copyName, 0); // the file was removed since: nothing is left to mend
        return;
    }
    struct stat status {};
    if (file.get() < 0 || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        posix::lockFile(file.get(), LOCK_EX) != 0) {
        return;
    }
    // Another start may have finished it while we waited for the lock.
    const posix::FileDescriptor copy(openat(folderFd, copyName, O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    struct stat copyStatus {};
    if (copy.get() >= 0 && fstat(copy.get(), &copyStatus) == 0 && S_ISREG(copyStatus.st_mode)) {
        std::string bytes(static_cast<std::size_t>(copyStatus.st_size), '\0');
        if (readAllAt(copy.get(), bytes, 0) == 0 && copyInPlace(file.get(), bytes) == 0) {
            unlinkat(folderFd, copyName, 0);
        }
    }
    flock(file.get(), LOCK_UN);
}

} // namespace

FileWrite SystemPlatform::replaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return failedWith(ENOENT);
    }
    const posix::LinkTarget link = posix::followLinks(path);
    if (!link.error.empty()) {
        return {false, link.error};
    }
    const std::string& target = link.path;
    const std::string_view name = posix::lastElement(target);
    if (name.empty() || name == "." || name == "..") {
        return failedWith(EISDIR);
    }
    ignoreFileSizeSignal();

    struct stat status {};
    if (stat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? createFile(target, bytes) : failedWith(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return failedWith(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return {false, posix::kNotARegularFile};
    }
    // Non-blocking, so that a FIFO put in its place meanwhile cannot hold us; it is then no regular file.
    const posix::FileDescriptor file(open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0) {
        return failedWith(errno);
    }
    if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {false, posix::kNotARegularFile};
    }
    return rewriteInPlace(file.get(), target, bytes);
}

void SystemPlatform::recoverInterruptedSaves(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const posix::LinkTarget link = posix::followLinks(path);
    const std::string_view name = posix::lastElement(link.path);
    if (!link.error.empty() || name.empty()) {
        return;
    }
    const std::string folder = posix::folderPart(link.path);
    forEachCopy(folder, name, [&link](int folderFd, const char* copy, bool complete, pid_t writer) {
        if (!writerIsGone(writer)) {
            return;
        }
        // Anyone may put files into a shared folder: only our own copy goes into our file.
        if (complete && isRegularFile(folderFd, copy, true)) {
            finishCopy(folderFd, copy, link.path);
        } else if (!complete && isRegularFile(folderFd, copy, false)) {
            unlinkat(folderFd, copy, 0);
        }
    });
}

} // namespace hopwick
