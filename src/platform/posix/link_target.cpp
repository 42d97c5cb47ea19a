#include "platform/posix/link_target.h"
#include "platform/posix/posix_support.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hopwick::posix {

namespace {

constexpr int kMaxLinkHops = 40;
constexpr const char* kForeignLinkReason = "Symbolic link of another user in a shared folder";

bool mayFollow(const std::string& link, const struct stat& linkStatus) {
    if (linkStatus.st_uid == geteuid()) {
        return true;
    }
    const std::string folder = std::filesystem::path(link).parent_path();
    struct stat folderStatus {};
    if (stat(folder.empty() ? "." : folder.c_str(), &folderStatus) != 0) {
        return true; // nothing to protect: a write there fails on its own
    }
    const bool shared = (folderStatus.st_mode & S_ISVTX) != 0 && (folderStatus.st_mode & S_IWOTH) != 0;
    return !shared || linkStatus.st_uid == folderStatus.st_uid;
}

std::string linkText(const std::string& link, const struct stat& status) {
    std::vector<char> buffer(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1);
    ssize_t length;
    while ((length = readlink(link.c_str(), buffer.data(), buffer.size())) >= 0 &&
           static_cast<std::size_t>(length) == buffer.size()) {
        buffer.resize(buffer.size() * 2);
    }
    return length <= 0 ? std::string() : std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace

LinkTarget followLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return {current, {}}; // a missing file, or a real one; what is wrong with it shows up later
        }
        if (!mayFollow(current, status)) {
            return {current, kForeignLinkReason};
        }
        const std::string target = linkText(current, status);
        if (target.empty()) {
            return {current, {}};
        }
        current = std::filesystem::path(current).parent_path() / target; // an absolute target stands alone
    }
    return {current, errorText(ELOOP)};
}

} // namespace hopwick::posix
