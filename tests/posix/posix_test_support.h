#pragma once

#include "windowless_platform.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace hopwick::testing {

// What runInChild returns when it could not take root's privileges away; the test then cannot run.
inline constexpr const char* kCannotDropPrivileges = "cannot drop privileges";

// Runs `body` in a forked child and returns what it returned ("" for success), or how the child ended when
// it did not return. With `asNobody`, a root test process runs the body as user and group 65534, since root
// passes every permission check that the body means to meet.
std::string runInChild(const std::function<std::string()>& body, bool asNobody = false);

// Sets or unsets an environment variable until the end of the scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::optional<std::string>& value);
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable();

private:
    std::string name_;
    std::optional<std::string> saved_;
};

// Makes `folder` the current directory until the end of the scope.
class ScopedDirectory {
public:
    explicit ScopedDirectory(const std::string& folder);
    ScopedDirectory(const ScopedDirectory&) = delete;
    ScopedDirectory& operator=(const ScopedDirectory&) = delete;
    ~ScopedDirectory();

private:
    int saved_;
};

// Writes an executable stand-in program at `path`: it writes its working folder, the "SigIgn" mask of its
// /proc status, its argument count and each argument, one a line, into `recordFile` (complete, or not at
// all), then sleeps `sleepSeconds`.
void writeRecordingProgram(const std::string& path, const std::string& recordFile, int sleepSeconds = 0);

// What a stand-in program recorded about its start.
struct StartRecord {
    std::string folder;
    unsigned long long ignoredSignals = 0; // bit n-1 for signal n
    std::vector<std::string> arguments;    // after the program's own name
};

// The record once it appears; nothing when it does not within a few seconds.
std::optional<StartRecord> waitForRecord(const std::string& recordFile);

// A folder of stand-in programs that is the whole PATH while it lives; the programs record into a folder
// beside it.
class StandInFolder {
public:
    StandInFolder(const std::filesystem::path& parent, const std::string& name);
    void add(const std::string& program, int sleepSeconds = 0) const;
    std::string recordOf(const std::string& program) const { return records_ + "/" + program; }
    std::optional<StartRecord> waitFor(const std::string& program) const { return waitForRecord(recordOf(program)); }
    // Whether the program has recorded a start by now.
    bool ran(const std::string& program) const { return std::filesystem::exists(recordOf(program)); }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    std::string records_;
    ScopedVariable path_;
};

// Whether `condition` holds within a few seconds, asked again every 10 ms.
bool waitUntil(const std::function<bool()>& condition);

// Child processes of this process, with their state letter ('Z' for a zombie).
struct ChildProcess {
    int pid;
    char state;
};
std::vector<ChildProcess> childProcesses();

// Whether every child this process started has ended and been reaped within a few seconds: whatever a started
// program was going to do, it has done by then.
bool waitForEveryChildReaped();

// A process id that has just ended, so no process runs under it.
pid_t deadProcessId();

// The name of the copy that a save of `target` by process `pid` writes beside it; `end` is ".tmp" while the
// copy is unfinished, ".new" once it is whole.
std::string copyName(const std::string& target, pid_t pid, const char* end);

// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> folderEntries(const std::string& folder);

} // namespace hopwick::testing
