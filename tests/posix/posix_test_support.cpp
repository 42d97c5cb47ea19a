#include "posix_test_support.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace hopwick::testing {

std::string runInChild(const std::function<std::string()>& body, bool asNobody) {
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) {
        return "pipe failed";
    }
    const pid_t child = fork();
    if (child < 0) {
        return "fork failed";
    }
    if (child == 0) {
        close(channel[0]);
        std::string result;
        if (asNobody && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            result = kCannotDropPrivileges;
        } else {
            try {
                result = body();
            } catch (const std::exception& failure) {
                result = std::string("exception: ") + failure.what();
            }
        }
        std::string_view left = result;
        while (!left.empty()) {
            const ssize_t count = write(channel[1], left.data(), left.size());
            if (count <= 0) {
                break;
            }
            left.remove_prefix(static_cast<std::size_t>(count));
        }
        _exit(0); // no destructors, no gtest teardown in the child
    }
    close(channel[1]);
    std::string result;
    char buffer[512];
    ssize_t count;
    while ((count = read(channel[0], buffer, sizeof buffer)) != 0) {
        if (count < 0 && errno != EINTR) {
            break;
        }
        if (count > 0) {
            result.append(buffer, static_cast<std::size_t>(count));
        }
    }
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) {
        return result + "child killed by signal " + std::to_string(WTERMSIG(status));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return result + "child ended abnormally";
    }
    return result;
}

ScopedVariable::ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        saved_ = old;
    }
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}

ScopedVariable::~ScopedVariable() {
    if (saved_) {
        setenv(name_.c_str(), saved_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

ScopedDirectory::ScopedDirectory(const std::string& folder) : saved_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (saved_ < 0 || chdir(folder.c_str()) != 0) {
        throw std::runtime_error("cannot change to " + folder);
    }
}

ScopedDirectory::~ScopedDirectory() {
    [[maybe_unused]] const int ignored = fchdir(saved_);
    close(saved_);
}

void writeRecordingProgram(const std::string& path, const std::string& recordFile, int sleepSeconds) {
    {
        std::ofstream script(path, std::ios::binary | std::ios::trunc);
        script << "#!/bin/sh\n"
               << "PATH=/usr/bin:/bin\n"
               << "{ pwd -P; sed -n 's/^SigIgn:[[:space:]]*//p' /proc/$$/status; echo \"$#\";\n"
               << "  for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" << recordFile << ".part'\n"
               << "mv '" << recordFile << ".part' '" << recordFile << "'\n";
        if (sleepSeconds > 0) {
            // Away from the test's output, which its runner reads to the end.
            script << "exec sleep " << sleepSeconds << " >/dev/null 2>&1\n";
        }
        if (!script) {
            throw std::runtime_error("cannot write " + path);
        }
    }
    if (chmod(path.c_str(), 0755) != 0) {
        throw std::runtime_error("cannot make " + path + " executable");
    }
}

bool waitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::optional<StartRecord> waitForRecord(const std::string& recordFile) {
    std::optional<StartRecord> found;
    waitUntil([&] {
        std::ifstream in(recordFile, std::ios::binary);
        if (in) {
            StartRecord record;
            std::string mask;
            std::string count;
            std::getline(in, record.folder);
            std::getline(in, mask);
            std::getline(in, count);
            record.ignoredSignals = std::stoull(mask, nullptr, 16);
            for (std::string line; std::getline(in, line);) {
                record.arguments.push_back(line);
            }
            if (std::to_string(record.arguments.size()) != count) {
                throw std::runtime_error("the record of " + recordFile + " does not add up");
            }
            found = std::move(record);
        }
        return found.has_value();
    });
    return found;
}

StandInFolder::StandInFolder(const std::filesystem::path& parent, const std::string& name)
    : folder_((parent / name).string()), records_((parent / (name + "-records")).string()), path_("PATH", folder_) {
    std::filesystem::create_directories(folder_);
    std::filesystem::create_directories(records_);
}

void StandInFolder::add(const std::string& program, int sleepSeconds) const {
    writeRecordingProgram(folder_ + "/" + program, recordOf(program), sleepSeconds);
}

std::vector<ChildProcess> childProcesses() {
    std::vector<ChildProcess> children;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return children;
    }
    while (const dirent* entry = readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9') {
            continue;
        }
        std::ifstream in(std::string("/proc/") + entry->d_name + "/stat");
        std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // "pid (command) S ppid ...": the command may hold spaces and parentheses, so read after the last ')'.
        const auto close = stat.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream rest(stat.substr(close + 1));
        char state = 0;
        int parent = 0;
        if (rest >> state >> parent && parent == getpid()) {
            children.push_back({std::atoi(entry->d_name), state});
        }
    }
    closedir(proc);
    return children;
}

bool waitForEveryChildReaped() {
    return waitUntil([] { return childProcesses().empty(); });
}

pid_t deadProcessId() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}

std::string copyName(const std::string& target, pid_t pid, const char* end) {
    return "." + target + ".hopwick-" + std::to_string(pid) + end;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* directory = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(directory);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace hopwick::testing
