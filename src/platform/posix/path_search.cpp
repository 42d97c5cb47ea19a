#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace hopwick {

namespace {

bool hasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

// `*` and `?` over bytes, everything else literal, as in a directory search's pattern.
// Not fnmatch(): it reads '[' as the start of a set of characters, where a directory search takes it as itself.
bool matchesPattern(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

// Plain files always count; everything else needs its bit. "System" on Linux is whatever is neither a
// regular file nor a folder: devices, FIFOs and sockets.
bool countsUnderMask(const struct stat& status, std::string_view name, PathAttributes mask, bool mustBeFolder) {
    const bool folder = S_ISDIR(status.st_mode);
    if (mustBeFolder && !folder) {
        return false;
    }
    if (folder && !includes(mask, PathAttributes::Folder)) {
        return false;
    }
    if (!folder && !S_ISREG(status.st_mode) && !includes(mask, PathAttributes::System)) {
        return false;
    }
    const bool hidden = !name.empty() && name[0] == '.' && name != "." && name != "..";
    return !hidden || includes(mask, PathAttributes::Hidden);
}

// These mean that nothing of that name exists (or can exist); anything else is a search that failed.
bool meansNotFound(int errorNumber) {
    return errorNumber == ENOENT || errorNumber == ENOTDIR || errorNumber == ELOOP || errorNumber == ENAMETOOLONG;
}

PathSearch failedWith(int errorNumber) {
    return meansNotFound(errorNumber) ? PathSearch{} : PathSearch{{}, posix::errorText(errorNumber)};
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

} // namespace

PathSearch SystemPlatform::findPath(const std::string& path, PathAttributes attributeMask) {
    // No name holds a NUL; the system would see only the part before it, which may name something else.
    if (path.empty() || path.find('\0') != std::string::npos) {
        return {};
    }
    std::string_view trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.remove_suffix(1);
    }
    // "folder/" names a folder only, as the system reads it.
    const bool mustBeFolder = trimmed.size() < path.size();
    const std::string pattern = std::filesystem::path(trimmed).filename();

    if (!hasWildcard(pattern)) {
        struct stat status {};
        if (stat(path.c_str(), &status) != 0) {
            return failedWith(errno);
        }
        const std::string name = pattern.empty() ? std::string(trimmed) : std::string(pattern);
        return countsUnderMask(status, name, attributeMask, mustBeFolder) ? PathSearch{name, {}} : PathSearch{};
    }

    std::string folder = std::filesystem::path(trimmed).parent_path();
    if (folder.empty()) {
        folder.push_back('.'); // not `folder = "."`: GCC 12 warns falsely there (-Wrestrict)
    }
    std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
    if (!directory) {
        return failedWith(errno);
    }
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(directory.get());
        if (entry == nullptr) {
            return errno == 0 ? PathSearch{} : PathSearch{{}, posix::errorText(errno)};
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !matchesPattern(pattern, name)) {
            continue;
        }
        struct stat status {};
        if (fstatat(dirfd(directory.get()), entry->d_name, &status, 0) != 0) {
            if (meansNotFound(errno)) {
                continue; // a dangling link, or removed while we looked
            }
            return PathSearch{{}, posix::errorText(errno)};
        }
        if (countsUnderMask(status, name, attributeMask, mustBeFolder)) {
            return PathSearch{std::string(name), {}};
        }
    }
}

} // namespace hopwick
