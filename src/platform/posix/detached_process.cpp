#include "platform/posix/detached_process.h"

#include "platform/posix/child_reaper.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace hopwick::posix {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0;
}

std::string absolute(const std::string& path) {
    if (path.front() == '/') {
        return path;
    }
    char* folder = getcwd(nullptr, 0);
    if (folder == nullptr) {
        return path;
    }
    std::string result = std::string(folder) + "/" + path;
    std::free(folder);
    return result;
}

// The settings of one start, released however it ends.
class SpawnSettings {
public:
    SpawnSettings() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

} // namespace

std::string findProgram(const std::string& program) {
    if (program.empty()) {
        return {};
    }
    if (program.find('/') != std::string::npos) {
        return isExecutableFile(program) ? absolute(program) : std::string();
    }
    std::string searchPath;
    if (const char* path = std::getenv("PATH"); path != nullptr) {
        searchPath = path;
    } else {
        searchPath = "/usr/local/bin:/usr/bin:/bin";
    }
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty entry would mean the current folder; a launcher should not pick programs up from there.
        if (end > start) {
            std::string folder = searchPath.substr(start, end - start);
            std::string candidate = folder.back() == '/' ? folder + program : folder + "/" + program;
            if (isExecutableFile(candidate)) {
                return absolute(candidate);
            }
        }
        start = end + 1;
    }
    return {};
}

int startDetached(const std::string& executable, const std::vector<std::string>& arguments, const std::string& folder) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    SpawnSettings settings;
    // A process group of its own keeps the program out of the terminal's job control (Ctrl+C, the shell's
    // hang-up). Not a session of its own: on kernels with autogroup scheduling setsid() costs a quarter of a
    // millisecond, and the user-interface thread waits for the child until its exec.
    const short flags = POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    posix_spawnattr_setflags(&settings.attributes, flags);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&settings.attributes, &none);
    // Ignored signals stay ignored across exec; the program should not inherit what we set for ourselves.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&settings.attributes, &defaults);
    posix_spawn_file_actions_addopen(&settings.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&settings.actions, folder.c_str());
    }
    // Descriptors the rest of the program opened without O_CLOEXEC do not belong to the started program.
    posix_spawn_file_actions_addclosefrom_np(&settings.actions, STDERR_FILENO + 1);

    // posix_spawn returns once the child has exec'd, with the errno of a chdir or exec that failed. It
    // copies no page tables, so the launcher's own size does not slow it down.
    pid_t child = 0;
    const int failure =
        posix_spawn(&child, executable.c_str(), &settings.actions, &settings.attributes, argv.data(), environ);
    if (failure == 0) {
        reapWhenDone(child);
    }
    return failure;
}

} // namespace hopwick::posix
