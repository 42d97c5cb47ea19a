#include "platform/store_folder.h"

#include "platform/posix/error_texts.h"
#include "platform/posix/link_target.h"
#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick {

namespace {

// Not std::filesystem::create_directories: its 0777 less a umask of 002 would open the store's folder to the group.
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
    if (const std::string parent = std::filesystem::path(folder).parent_path(); parent != folder) {
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

std::string reason(int errorNumber) {
    return errorNumber == 0 ? std::string() : posix::errorText(errorNumber);
}

class PosixFolderFile final : public FolderFile {
public:
    PosixFolderFile(int fd, const struct stat& status) : fd_(fd), status_(status) {}

    std::uint64_t volume() override { return static_cast<std::uint64_t>(status_.st_dev); }
    std::uint64_t index() override { return static_cast<std::uint64_t>(status_.st_ino); }
    std::string lock(bool exclusive) override {
        return reason(posix::lockFile(fd_.get(), exclusive ? LOCK_EX : LOCK_SH));
    }
    void unlock() override { flock(fd_.get(), LOCK_UN); }
    FileRead read(std::size_t maxBytes) override {
        struct stat status {};
        fstat(fd_.get(), &status);
        if (lseek(fd_.get(), 0, SEEK_SET) != 0) {
            FileRead failed;
            failed.status = FileRead::Status::Failed;
            failed.error = posix::errorText(errno);
            return failed;
        }
        return posix::readOpenFile(fd_.get(), static_cast<std::size_t>(status.st_size), maxBytes);
    }

    // The blocks it overwrites are the file's own, so putting the old bytes back cannot run short.
    std::string rewrite(std::string_view bytes) override {
        const int fd = fd_.get();
        struct stat status {};
        if (fstat(fd, &status) != 0) {
            return reason(errno);
        }
        const auto newSize = static_cast<off_t>(bytes.size());
        // Room first, where the file system can promise it, so that a full disk fails before a byte changes.
        if (newSize > status.st_size && fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, newSize) != 0 && errno != EOPNOTSUPP &&
            errno != ENOSYS) {
            return reason(errno);
        }
        std::string old(static_cast<std::size_t>(std::min(status.st_size, newSize)), '\0');
        if (const int failure = readAllAt(fd, old, 0); failure != 0) {
            return reason(failure);
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
        return reason(failure);
    }

private:
    posix::FileDescriptor fd_;
    struct stat status_;
};

// Every call goes through the folder's descriptor with *at() calls; no name is followed if it is a link.
class PosixStoreFolder final : public StoreFolder {
public:
    PosixStoreFolder(int fd, std::string path, const struct stat& status)
        : fd_(fd), path_(std::move(path)), status_(status) {}

    bool inPlace() override {
        struct stat now {};
        return stat(path_.c_str(), &now) == 0 && now.st_dev == status_.st_dev && now.st_ino == status_.st_ino;
    }
    std::uint64_t volume() override { return static_cast<std::uint64_t>(status_.st_dev); }
    std::uint64_t index() override { return static_cast<std::uint64_t>(status_.st_ino); }

    FolderEntry look(const std::string& name) override {
        FolderEntry entry;
        struct stat status {};
        if (fstatat(fd_.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            entry.kind = errno == ENOENT ? FolderEntry::Kind::Missing : FolderEntry::Kind::Failed;
            entry.error = entry.kind == FolderEntry::Kind::Failed ? posix::errorText(errno) : std::string();
            return entry;
        }
        entry.kind = S_ISREG(status.st_mode) ? FolderEntry::Kind::File : FolderEntry::Kind::Other;
        entry.volume = static_cast<std::uint64_t>(status.st_dev);
        entry.index = static_cast<std::uint64_t>(status.st_ino);
        entry.hidden = name.starts_with('.');
        entry.ownedByUser = status.st_uid == geteuid();
        return entry;
    }

    std::unique_ptr<FolderFile> open(const std::string& name, bool forWriting, std::string& error) override {
        // Non-blocking, so that a FIFO put in its place cannot hold us; it is then no regular file.
        const int fd = openat(fd_.get(), name.c_str(),
                              (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) {
            error = posix::errorText(errno);
            return nullptr;
        }
        struct stat status {};
        if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            error = S_ISDIR(status.st_mode) ? posix::errorText(EISDIR) : posix::kNotARegularFile;
            close(fd);
            return nullptr;
        }
        if (forWriting) {
            ignoreFileSizeSignal();
        }
        return std::make_unique<PosixFolderFile>(fd, status);
    }

    std::string create(const std::string& name, std::string_view bytes, bool privateCopy) override {
        ignoreFileSizeSignal();
        const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW;
        const mode_t mode = privateCopy ? 0600 : 0644;
        int fd = openat(fd_.get(), name.c_str(), flags, mode);
        if (fd < 0 && errno == EEXIST && unlinkat(fd_.get(), name.c_str(), 0) == 0) {
            fd = openat(fd_.get(), name.c_str(), flags, mode);
        }
        if (fd < 0) {
            return reason(errno);
        }
        int failure = writeAllAt(fd, bytes, 0);
        if (failure == 0) {
            failure = flush(fd);
        }
        if (close(fd) != 0 && failure == 0 && errno != EINTR) {
            failure = errno;
        }
        if (failure != 0) {
            unlinkat(fd_.get(), name.c_str(), 0);
        }
        return reason(failure);
    }

    std::string rename(const std::string& from, const std::string& to, bool replace) override {
        const int done = replace ? renameat(fd_.get(), from.c_str(), fd_.get(), to.c_str())
                                 : renameat2(fd_.get(), from.c_str(), fd_.get(), to.c_str(), RENAME_NOREPLACE);
        if (done != 0) {
            return reason(errno);
        }
        // What matters has been written; a folder that cannot be flushed changes nothing about the outcome.
        fsync(fd_.get());
        return {};
    }

    void remove(const std::string& name) override { unlinkat(fd_.get(), name.c_str(), 0); }

    std::vector<std::string> names() override {
        std::vector<std::string> found;
        const int copy = openat(fd_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (copy < 0) {
            return found;
        }
        const std::unique_ptr<DIR, int (*)(DIR*)> directory(fdopendir(copy), closedir);
        if (!directory) {
            close(copy);
            return found;
        }
        while (const dirent* entry = readdir(directory.get())) {
            found.emplace_back(entry->d_name);
        }
        return found;
    }

    std::uint64_t processId() override { return static_cast<std::uint64_t>(getpid()); }
    // EPERM means the process lives under another user: still running.
    bool processGone(std::uint64_t processId) override {
        const auto id = static_cast<pid_t>(processId);
        return id > 0 && static_cast<std::uint64_t>(id) == processId && kill(id, 0) != 0 && errno == ESRCH;
    }

private:
    posix::FileDescriptor fd_;
    std::string path_;
    struct stat status_;
};

} // namespace

StorePlace SystemPlatform::openStorePlace(const std::string& path, bool makeFolder) {
    StorePlace place;
    const posix::LinkTarget link = posix::followLinks(path);
    if (!link.error.empty()) {
        place.error = link.error;
        return place;
    }
    place.name = std::filesystem::path(link.path).filename();
    if (place.name.empty() || place.name == "." || place.name == "..") {
        place.error = posix::errorText(EISDIR);
        return place;
    }
    const std::string inPath = std::filesystem::path(link.path).parent_path();
    const std::string folder = inPath.empty() ? std::string(".") : inPath;
    if (makeFolder) {
        if (const int failure = makeFolders(folder); failure != 0) {
            place.error = posix::errorText(failure);
            return place;
        }
    }
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        place.missing = errno == ENOENT;
        place.error = posix::errorText(errno);
        if (fd >= 0) {
            close(fd);
        }
        return place;
    }
    place.folder = std::make_unique<PosixStoreFolder>(fd, folder, status);
    return place;
}

} // namespace hopwick
