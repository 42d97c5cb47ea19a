#include "platform/posix/detached_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

void reportAndExit(int errorPipe, int errorNumber) {
    [[maybe_unused]] const ssize_t ignored = write(errorPipe, &errorNumber, sizeof errorNumber);
    _exit(127);
}

// Runs in the forked child, so only async-signal-safe calls: everything it needs was prepared before.
[[noreturn]] void becomeProgram(const char* executable, char* const* arguments, const char* folder, int nullInput,
                                int errorPipe) {
    setsid();
    // Ignored signals stay ignored across exec; the program should not inherit what we set for ourselves.
    signal(SIGPIPE, SIG_DFL);
    signal(SIGXFSZ, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (nullInput >= 0) {
        dup2(nullInput, STDIN_FILENO);
    }
    if (folder != nullptr && chdir(folder) != 0) {
        reportAndExit(errorPipe, errno);
    }
    // Descriptors the rest of the program opened without O_CLOEXEC do not belong to the started program.
    close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    execve(executable, arguments, environ);
    reportAndExit(errorPipe, errno);
    _exit(127);
}

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

    // The child writes its errno here when it cannot exec; a successful exec closes the pipe empty.
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        return errno;
    }
    const int nullInput = open("/dev/null", O_RDONLY | O_CLOEXEC);

    const pid_t middle = fork();
    if (middle < 0) {
        const int failure = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        if (nullInput >= 0) {
            close(nullInput);
        }
        return failure;
    }
    if (middle == 0) {
        // The middle child only forks and leaves: the program becomes init's child, which reaps it.
        close(errorPipe[0]);
        const pid_t program = fork();
        if (program < 0) {
            reportAndExit(errorPipe[1], errno);
        }
        if (program == 0) {
            becomeProgram(executable.c_str(), argv.data(), folder.empty() ? nullptr : folder.c_str(), nullInput,
                          errorPipe[1]);
        }
        _exit(0);
    }

    close(errorPipe[1]);
    if (nullInput >= 0) {
        close(nullInput);
    }
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    int childError = 0;
    std::size_t received = 0;
    auto* bytes = reinterpret_cast<char*>(&childError);
    while (received < sizeof childError) {
        const ssize_t count = read(errorPipe[0], bytes + received, sizeof childError - received);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        received += static_cast<std::size_t>(count);
    }
    close(errorPipe[0]);
    return received == sizeof childError ? childError : 0;
}

} // namespace hopwick::posix
