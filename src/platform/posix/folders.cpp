#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hopwick {

std::string SystemPlatform::currentDirectory() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {}; // the folder was removed, or a parent of it cannot be read
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::string SystemPlatform::programFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return currentDirectory(); // no /proc: the best remaining guess
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::filesystem::path(buffer.data(), buffer.data() + length).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

// `cmake --install` puts the marker under the prefix beside bin/; a built or copied program has none.
bool SystemPlatform::isInstalledCopy() {
    const std::string marker = joinPath(programFolder(), "../share/hopwick/installed");
    struct stat status {};
    return stat(marker.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string SystemPlatform::userConfigFolder() {
    if (const char* configHome = std::getenv("XDG_CONFIG_HOME"); configHome != nullptr && configHome[0] == '/') {
        return joinPath(configHome, "hopwick");
    }
    const std::string home = posix::homeFolder();
    if (home.empty()) {
        return {}; // no folder of the user's own: an installed copy then keeps no store
    }
    return joinPath(joinPath(home, ".config"), "hopwick");
}

std::string SystemPlatform::joinPath(const std::string& folder, const std::string& name) {
    return std::filesystem::path(folder) / name;
}

} // namespace hopwick
