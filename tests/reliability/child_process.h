#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace hopwick::testing {

struct ChildOutcome {
    bool passed = false;
    bool skipped = false;
    std::string skipReason;
};

// Runs `body` in a forked child, for what must not touch the test process itself: other user ids, resource
// limits, mounts. The body's expectations print as in the test; the child fails when any of them failed.
ChildOutcome runInChild(const std::function<void()>& body);

// In a child: ends it as skipped, with the reason the parent reports.
[[noreturn]] void skipChild(const std::string& reason);

// In a child: hands the folder to an unprivileged user and becomes that user, so that permission bits hold
// as they do for everyone but root. Nothing to do when the test does not run as root.
void becomeUnprivileged(const std::filesystem::path& folder);

// In a child: a private mount namespace with a tmpfs of `bytes` over `folder`; skips the child when
// mounting is not permitted.
void mountSmallTmpfs(const std::filesystem::path& folder, std::size_t bytes);

// In a child: a private mount namespace in which `folder` is read-only; skips when not permitted.
void mountReadOnly(const std::filesystem::path& folder);

// The test helper program with these arguments, started and not waited for.
pid_t startHelper(const std::vector<std::string>& arguments);
// Waits for a child and returns its status as waitpid reports it.
int waitForChild(pid_t child);

} // namespace hopwick::testing
