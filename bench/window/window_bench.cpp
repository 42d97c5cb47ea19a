// Start-up to first frame and peak memory of the real Hopwick window, built by the program's own start-up code
// over a full store with a background picture, against a bare Qt window with the same controls (the toolkit's
// floor). Both run under Xvfb with a window manager, alternately, and end right after their first paint.

#include "support/comparison.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"
#include "support/timed_run.h"
#include "support/x_session.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace hopwick::bench {

namespace {

constexpr int kWarmUpRounds = 3;
constexpr int kRounds = 80;
constexpr double kGoalRatio = 1.10;
constexpr double kMemoryAllowance = 2; // megabytes over the floor
const char* const kFloorName = "bare Qt window, same controls";
const char* const kContentFloorName = "bare Qt window showing the same items and picture";

// The same items go into a plain list for the floor that shows the same content.
void writeFullStore(const std::string& programFolder, const std::string& picture, const std::string& itemList) {
    writeBackgroundPicture(picture);
    const std::vector<std::string> items = fullStoreItems(programFolder);
    saveStore(programFolder, items, picture);
    std::ofstream plain(itemList);
    for (const std::string& item : items) {
        plain << item << "\n";
    }
}

} // namespace

} // namespace hopwick::bench

namespace {

int measure() {
    using namespace hopwick::bench;
    ScratchFolder folder("window");
    // The program keeps its store beside itself, so it runs from a folder of its own.
    const std::string programFolder = folder.folder("program");
    const std::string program = programFolder + "/hopwick";
    std::filesystem::copy_file(HOPWICK_FIRST_FRAME, program);
    const std::string picture = folder.file("背景画像/壁紙（青空と桜）.bmp");
    const std::string itemList = folder.file("items.txt");
    writeFullStore(programFolder, picture, itemList);

    XSession session(folder.folder("runtime"));
    std::vector<double> memory[3];
    std::vector<double> cpu[3];
    const auto side = [&memory, &cpu](int index, std::vector<std::string> command) {
        return [&memory, &cpu, index, command] {
            const TimedRun run = runTimed(command);
            memory[index].push_back(run.peakMegabytes);
            cpu[index].push_back(run.cpuMilliseconds);
            return run.milliseconds;
        };
    };
    const std::vector<std::vector<double>> times = alternate(
        {side(0, {program}), side(1, {HOPWICK_BARE_WINDOW}), side(2, {HOPWICK_BARE_WINDOW, itemList, picture})},
        kWarmUpRounds, kRounds);
    // The warm-up rounds' figures are not kept.
    for (std::vector<double>* figures : {&memory[0], &memory[1], &memory[2], &cpu[0], &cpu[1], &cpu[2]}) {
        figures->erase(figures->begin(), figures->begin() + kWarmUpRounds);
    }

    // Each figure against the bare window (the goal), then against the floor that shows the same content.
    const auto report = [](const std::string& figure, const std::string& unit, const std::vector<double>* runs,
                           const std::string& goal, const std::function<bool(const Summary&, const Summary&)>& meets) {
        const Summary hopwick = summarise(runs[0]);
        const Summary bare = summarise(runs[1]);
        const Summary content = summarise(runs[2]);
        printRow({figure, unit, hopwick, bare, kFloorName, goal,
                  meets ? std::optional<bool>(meets(hopwick, bare)) : std::nullopt});
        printRow({figure, unit, hopwick, content, kContentFloorName, "", std::nullopt});
    };
    report("Start-up to first frame, Xvfb (40-item store of long Japanese paths, background picture)", "ms",
           times.data(), "ratio ≤ 1.10",
           [](const Summary& hopwick, const Summary& floor) { return ratioOfMedians(hopwick, floor) <= kGoalRatio; });
    report("CPU time (user + system) of the same runs", "ms", cpu, "", nullptr);
    report(
        "Peak resident set of the same runs", "MB", memory, "≤ floor + 2 MB",
        [](const Summary& hopwick, const Summary& floor) { return hopwick.median <= floor.median + kMemoryAllowance; });
    return 0;
}

} // namespace

// A failure ends the run through here, so that the X server and the window manager are stopped on the way out.
int main() {
    try {
        return measure();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "hopwick_window_bench: %s\n", failure.what());
        return 1;
    }
}
