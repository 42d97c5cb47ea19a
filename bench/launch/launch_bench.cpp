// How long a click on a list item holds the user-interface thread, for a built-in tool and for a path,
// against the system's floor: posix_spawn of /bin/true from the same process.

#include "app/main_form.h"
#include "support/bench_platform.h"
#include "support/comparison.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace hopwick::bench {

namespace {

constexpr int kWarmUpRounds = 20;
constexpr int kRounds = 200;
constexpr double kGoalRatio = 1.5;
constexpr int kRunningStarts = 5;
constexpr double kRunningSeconds = 1;
const char* const kFloorName = "posix_spawn of /bin/true";

template <class Action> double microseconds(Action&& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Waits for the started program to end, between measurements, never inside one: each start is measured as a
// click comes, with no program that the previous round started still running. A start measured while that
// program still ran on the other core waited for the CPU in about half the rounds, on the floor's side as on
// Hopwick's, and either median fell on whichever side of that split. The programs are our children (we are
// their subreaper), so none is left to a PID 1 that may not reap; Hopwick's own reaper may take one first.
void waitForStarted() {
    while (waitpid(-1, nullptr, 0) > 0) {
    }
}

void writeScript(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec);
}

// Stand-ins, first on PATH, for the editor that "NotePad" starts on Linux and for the shell's "open".
void installStandIns(const ScratchFolder& folder, const std::string& subfolder, const std::string& body) {
    for (const char* name : {"gnome-text-editor", "xdg-open"}) {
        const std::string path = folder.folder(subfolder) + "/" + name;
        if (body.empty()) {
            std::filesystem::create_symlink("/bin/true", path);
        } else {
            writeScript(path, body);
        }
    }
}

void usePrograms(const std::string& folder, const std::string& systemPath) {
    setenv("PATH", (folder + ":" + systemPath).c_str(), 1);
}

double spawnTrue() {
    pid_t child = 0;
    char name[] = "true";
    char* arguments[] = {name, nullptr};
    int failure = 0;
    const double time =
        microseconds([&] { failure = posix_spawn(&child, "/bin/true", nullptr, nullptr, arguments, environ); });
    if (failure != 0) {
        throw std::runtime_error("posix_spawn failed");
    }
    waitForStarted();
    return time;
}

double click(MainForm& form, int index) {
    const double time = microseconds([&] { form.List1.clickEntry(index); });
    waitForStarted();
    return time;
}

int lineCount(const std::string& path) {
    std::ifstream in(path);
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    return lines;
}

} // namespace

} // namespace hopwick::bench

int main() {
    using namespace hopwick;
    using namespace hopwick::bench;
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const char* path = std::getenv("PATH");
    const std::string systemPath = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";

    ScratchFolder folder("launch");
    installStandIns(folder, "quick", "");
    const std::string marker = folder.file("started.txt");
    installStandIns(folder, "running",
                    "echo started >> '" + marker + "'\nsleep " + std::to_string(static_cast<int>(kRunningSeconds)));
    const std::string document = fullStoreItems(folder.path()).front();
    std::ofstream(folder.file(document.substr(folder.path().size() + 1))) << "議事録\n";

    BenchPlatform platform(folder.folder("program"));
    MainForm form(platform);
    form.Form_Load(); // no store yet: the 15 built-in tools, "NotePad" first
    form.List1.AddItem(document);
    const int tool = 0;
    const int documentIndex = form.List1.ListCount() - 1;

    usePrograms(folder.path() + "/quick", systemPath);
    const std::vector<std::vector<double>> times =
        alternate({[&] { return click(form, tool); }, [&] { return click(form, documentIndex); }, spawnTrue},
                  kWarmUpRounds, kRounds);
    const Summary floor = summarise(times[2]);

    // Programs that keep running: the click must come back long before they end.
    usePrograms(folder.path() + "/running", systemPath);
    std::vector<double> holds;
    for (int i = 0; i < kRunningStarts; ++i) {
        holds.push_back(microseconds([&] { form.List1.clickEntry(tool); }) / 1000);
        holds.push_back(microseconds([&] { form.List1.clickEntry(documentIndex); }) / 1000);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (lineCount(marker) < 2 * kRunningStarts && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const bool allStarted = lineCount(marker) == 2 * kRunningStarts;
    while (waitpid(-1, nullptr, 0) > 0) {
    }

    const bool quiet = platform.messages.empty() && form.List1.ListCount() == documentIndex + 1 && !form.SetupMode;
    const std::string goal = "ratio ≤ 1.5";
    const Summary toolClick = summarise(times[0]);
    const Summary documentClick = summarise(times[1]);
    printRow({"List1_Click, built-in tool (NotePad → stand-in editor on PATH)", "µs", toolClick, floor, kFloorName,
              goal, quiet && ratioOfMedians(toolClick, floor) <= kGoalRatio});
    printRow({"List1_Click, path (long Japanese path → stand-in xdg-open)", "µs", documentClick, floor, kFloorName,
              goal, quiet && ratioOfMedians(documentClick, floor) <= kGoalRatio});
    const Summary running = summarise(holds);
    printRow(
        {"List1_Click while the started program runs 1 s (all started: " + std::string(allStarted ? "yes" : "no") + ")",
         "ms", running, std::nullopt, "", "no wait: hold ≪ 1 s", allStarted && running.maximum < 100});
    return 0;
}
