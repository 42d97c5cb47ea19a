#include "platform/posix/error_texts.h"
#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hopwick {

namespace {

constexpr int kMaxLinkHops = 40;
constexpr const char* kTemporaryMark = ".hopwick-";
constexpr const char* kTemporaryEnd = ".tmp";

std::string joined(const std::string& folder, std::string_view name) {
    if (folder.empty()) {
        return std::string(name);
    }
    return folder.back() == '/' ? folder + std::string(name) : folder + "/" + std::string(name);
}

// The file that a write to `path` really lands in: symbolic links followed, also a dangling one, whose
// target is then created. Sets `failure` to ELOOP for a loop of links.
std::string realTarget(const std::string& path, int& failure) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return current; // a missing file, or a real one; what is wrong with it shows up later
        }
        std::vector<char> buffer(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1);
        ssize_t length;
        while ((length = readlink(current.c_str(), buffer.data(), buffer.size())) >= 0 &&
               static_cast<std::size_t>(length) == buffer.size()) {
            buffer.resize(buffer.size() * 2);
        }
        if (length < 0) {
            return current;
        }
        const std::string target(buffer.data(), static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : joined(posix::folderPart(current), target);
    }
    failure = ELOOP;
    return current;
}

// The temporary file's name tells which target it belongs to and which process wrote it.
std::string temporaryPrefix(std::string_view targetName) {
    return "." + std::string(targetName) + kTemporaryMark;
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

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return 0;
}

// Writes the temporary file completely and durably; returns 0 or the errno of the first failure.
int writeTemporary(int fd, std::string_view bytes, const struct stat* oldStatus) {
    if (oldStatus != nullptr) {
        // Owner first: a change of owner clears set-id bits that the mode then puts back. Only root (or the
        // owner, for the group) may do this; a file of someone else's then simply becomes ours.
        if (oldStatus->st_uid != geteuid() || oldStatus->st_gid != getegid()) {
            [[maybe_unused]] const int ignored = fchown(fd, oldStatus->st_uid, oldStatus->st_gid);
        }
        if (fchmod(fd, oldStatus->st_mode & 07777) != 0) {
            return errno;
        }
    }
    if (const int failure = writeAll(fd, bytes); failure != 0) {
        return failure;
    }
    // EINVAL: the file system has nothing to flush (some virtual ones); the data is as safe as it gets.
    if (fsync(fd) != 0 && errno != EINVAL) {
        return errno;
    }
    return 0;
}

void syncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The rename has happened; a folder that cannot be flushed changes nothing about the outcome.
        fsync(fd);
        close(fd);
    }
}

FileWrite failedWith(int errorNumber) {
    return {false, posix::errorText(errorNumber)};
}

} // namespace

FileWrite SystemPlatform::replaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return failedWith(ENOENT);
    }
    int linkFailure = 0;
    const std::string target = realTarget(path, linkFailure);
    if (linkFailure != 0) {
        return failedWith(linkFailure);
    }
    const std::string_view name = posix::lastElement(target);
    if (name.empty() || name == "." || name == "..") {
        return failedWith(EISDIR);
    }
    const std::string folder = posix::folderPart(target);

    struct stat oldStatus {};
    const bool exists = stat(target.c_str(), &oldStatus) == 0;
    if (exists && S_ISDIR(oldStatus.st_mode)) {
        return failedWith(EISDIR);
    }
    if (exists && !S_ISREG(oldStatus.st_mode)) {
        return {false, posix::kNotARegularFile};
    }
    if (!exists && errno != ENOENT) {
        return failedWith(errno);
    }
    // A file the user made read-only stays as it is, as a write to it in place would fail.
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return failedWith(errno);
    }
    if (!exists) {
        if (const int failure = makeFolders(folder); failure != 0) {
            return failedWith(failure);
        }
    }

    ignoreFileSizeSignal();
    const std::string temporary = joined(folder, temporaryPrefix(name) + std::to_string(getpid()) + kTemporaryEnd);
    // A file under our own process id can only be left from an earlier process that had the same id.
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0 && errno == EEXIST && unlink(temporary.c_str()) == 0) {
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    }
    if (fd < 0) {
        return failedWith(errno);
    }

    int failure = writeTemporary(fd, bytes, exists ? &oldStatus : nullptr);
    if (close(fd) != 0 && failure == 0 && errno != EINTR) {
        failure = errno;
    }
    if (failure == 0 && rename(temporary.c_str(), target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        unlink(temporary.c_str());
        return failedWith(failure);
    }
    syncFolder(folder);
    return {true, {}};
}

void SystemPlatform::removeStaleTemporaries(const std::string& path) {
    if (path.empty()) {
        return;
    }
    int linkFailure = 0;
    const std::string target = realTarget(path, linkFailure);
    const std::string_view name = posix::lastElement(target);
    if (linkFailure != 0 || name.empty()) {
        return;
    }
    const std::string folder = posix::folderPart(target);
    std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.empty() ? "." : folder.c_str()), closedir);
    if (!directory) {
        return;
    }
    const std::string prefix = temporaryPrefix(name);
    const std::string_view end = kTemporaryEnd;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string_view candidate = entry->d_name;
        if (candidate.size() <= prefix.size() + end.size() || !candidate.starts_with(prefix) ||
            !candidate.ends_with(end)) {
            continue;
        }
        const std::string_view digits = candidate.substr(prefix.size(), candidate.size() - prefix.size() - end.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
            continue;
        }
        const pid_t writer = static_cast<pid_t>(std::stol(std::string(digits)));
        // EPERM means the process lives under another user: still running, so its file is left alone.
        if (writer <= 0 || kill(writer, 0) == 0 || errno != ESRCH) {
            continue;
        }
        struct stat status {};
        if (fstatat(dirfd(directory.get()), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode)) {
            unlinkat(dirfd(directory.get()), entry->d_name, 0);
        }
    }
}

} // namespace hopwick
