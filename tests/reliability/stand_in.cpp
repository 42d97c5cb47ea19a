#include "stand_in.h"

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <thread>
#include <unistd.h>

namespace hopwick::testing {

namespace {

// The record: the directory, the descriptors and each argument, every one ended by a NUL, which no path or
// argument can hold.
std::string field(const std::string& text) {
    return text + '\0';
}

std::vector<int> openDescriptors() {
    std::vector<int> descriptors;
    DIR* directory = opendir("/proc/self/fd");
    if (directory == nullptr) {
        return descriptors;
    }
    while (const dirent* entry = readdir(directory)) {
        const int fd = std::atoi(entry->d_name);
        if (entry->d_name[0] != '.' && fd != dirfd(directory)) {
            descriptors.push_back(fd);
        }
    }
    closedir(directory);
    return descriptors;
}

std::vector<std::string> splitFields(const std::string& bytes) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1) {
        fields.push_back(bytes.substr(start, end - start));
    }
    return fields;
}

} // namespace

int recordStandInCall(const std::string& log, int argc, char** argv) {
    std::string record;
    std::vector<char> folder(8192);
    record += field(getcwd(folder.data(), folder.size()) != nullptr ? folder.data() : "");
    std::string descriptors;
    for (int fd : openDescriptors()) {
        descriptors += (descriptors.empty() ? "" : " ") + std::to_string(fd);
    }
    record += field(descriptors);
    for (int i = 0; i < argc; ++i) {
        record += field(argv[i]);
    }
    const std::string part = log + ".part";
    {
        std::ofstream out(part, std::ios::binary);
        out << record;
        if (!out.flush()) {
            return 1;
        }
    }
    return std::rename(part.c_str(), log.c_str()) == 0 ? 0 : 1;
}

StandInPrograms::StandInPrograms(const std::filesystem::path& folder, const std::filesystem::path& executable,
                                 const std::vector<std::string>& names)
    : log_(folder / "stand-in.log") {
    const std::filesystem::path bin = folder / "bin";
    std::filesystem::create_directories(bin);
    for (const std::string& name : names) {
        std::filesystem::create_symlink(executable, bin / name);
    }
    if (const char* path = std::getenv("PATH")) {
        savedPath_ = path;
    }
    setenv("PATH", (bin.string() + ":" + savedPath_.value_or("/usr/bin:/bin")).c_str(), 1);
    setenv(kStandInLogVariable, log_.c_str(), 1);
}

StandInPrograms::~StandInPrograms() {
    if (savedPath_) {
        setenv("PATH", savedPath_->c_str(), 1);
    } else {
        unsetenv("PATH");
    }
    unsetenv(kStandInLogVariable);
}

std::optional<StandInCall> StandInPrograms::takeCall(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!std::filesystem::exists(log_)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::ifstream in(log_, std::ios::binary);
    const std::vector<std::string> fields =
        splitFields(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    std::filesystem::remove(log_);
    if (fields.size() < 3) {
        return std::nullopt;
    }
    StandInCall call;
    call.directory = fields[0];
    for (std::size_t start = 0; start < fields[1].size();) {
        std::size_t end = fields[1].find(' ', start);
        end = end == std::string::npos ? fields[1].size() : end;
        call.descriptors.push_back(std::stoi(fields[1].substr(start, end - start)));
        start = end + 1;
    }
    call.arguments.assign(fields.begin() + 2, fields.end());
    return call;
}

} // namespace hopwick::testing
