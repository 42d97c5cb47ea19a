#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick {

bool SystemPlatform::isOrdinaryFile(const std::string& path) {
    struct stat status {};
    if (path.empty() || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    const std::string name = std::filesystem::path(path).filename();
    return name.empty() || name[0] != '.';
}

FileIdentity SystemPlatform::identifyFile(const std::string& path) {
    FileIdentity identity;
    struct stat status {};
    if (!path.empty() && stat(path.c_str(), &status) == 0) {
        identity.present = true;
        identity.volume = static_cast<std::uint64_t>(status.st_dev);
        identity.index = static_cast<std::uint64_t>(status.st_ino);
    }
    const std::string folder = std::filesystem::path(path).parent_path();
    if (stat(folder.empty() ? "." : folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        identity.folderPresent = true;
        identity.folderVolume = static_cast<std::uint64_t>(status.st_dev);
        identity.folderIndex = static_cast<std::uint64_t>(status.st_ino);
    }
    return identity;
}

bool SystemPlatform::isWritableFolder(const std::string& folder) {
    struct stat status {};
    if (folder.empty() || stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return false;
    }
    // The effective ids decide whether we may create a file; access() also reports a read-only mount.
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace hopwick
