// Start-up as the user sees it: the shipped program, over a full store with a background picture, from its start
// to its window's last drawing, observed from outside through the X server's damage reports (last_drawing.py),
// against a bare Qt window with the same controls (the toolkit's floor, and the goal), the bare window showing
// the same content, and rofi showing the same items.
// Then, from inside: start-up to first frame, CPU time and peak memory of the real Hopwick window, built by the
// program's own start-up code, against the same bare windows. They run under Xvfb with a window manager, then as
// native clients of a headless Wayland compositor, alternately, and end right after their first paint.

#include "support/comparison.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"
#include "support/timed_run.h"
#include "support/wayland_session.h"
#include "support/x_session.h"
#include "window/first_paint_exit.h"

#include <chrono>
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
constexpr int kSides = 3; // Hopwick, the bare window, the bare window showing the same content
// A start that has not shown its first frame in this time has failed.
constexpr auto kFrameBound = std::chrono::seconds(30);
// Qt exits well within this after its first frame when it does not hang.
constexpr auto kExitBound = std::chrono::milliseconds(2000);
// Seen from outside: three rounds, each on a fresh display, of seven starts of each side, the sides alternating.
constexpr int kDrawnRounds = 3;
constexpr int kDrawnStarts = 7;
const char* const kRofiName = "rofi -dmenu showing the same 40 items";

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

using namespace hopwick::bench;

// Each figure against the bare window (the goal), then against the floor that shows the same content.
void report(const std::string& figure, const std::string& unit, const std::vector<double>* runs,
            const std::string& goal, const std::function<bool(const Summary&, const Summary&)>& meets) {
    const Summary hopwick = summarise(runs[0]);
    const Summary bare = summarise(runs[1]);
    const Summary content = summarise(runs[2]);
    printRow({figure, unit, hopwick, bare, kFloorName, goal,
              meets ? std::optional<bool>(meets(hopwick, bare)) : std::nullopt});
    printRow({figure, unit, hopwick, content, kContentFloorName, "", std::nullopt});
}

bool meetsGoalRatio(const Summary& hopwick, const Summary& floor) {
    return ratioOfMedians(hopwick, floor) <= kGoalRatio;
}

bool meetsMemoryAllowance(const Summary& hopwick, const Summary& floor) {
    return hopwick.median <= floor.median + kMemoryAllowance;
}

// The warm-up rounds' figures are not kept.
void dropWarmUp(std::vector<double>* sides) {
    for (int side = 0; side < kSides; ++side) {
        sides[side].erase(sides[side].begin(), sides[side].begin() + kWarmUpRounds);
    }
}

// What one side of the outside measurement starts, and the file its standard input comes from ("" for none).
struct ObservedCommand {
    std::vector<std::string> command;
    std::string input;
};

// The time from the start of `observed` to its window's last drawing, measured by last_drawing.py.
double timeToLastDrawing(const ObservedCommand& observed, const std::string& resultFile) {
    std::vector<std::string> arguments = {"/usr/bin/python3", HOPWICK_LAST_DRAWING, "--result", resultFile};
    if (!observed.input.empty()) {
        arguments.insert(arguments.end(), {"--input", observed.input});
    }
    arguments.push_back("--");
    arguments.insert(arguments.end(), observed.command.begin(), observed.command.end());
    runTimed(arguments);
    std::ifstream result(resultFile);
    double milliseconds = 0;
    if (!(result >> milliseconds)) {
        throw std::runtime_error("no figure from last_drawing.py for " + observed.command.front());
    }
    return milliseconds;
}

// Under Xvfb, seen from outside: start to the window's last drawing. Every side stays open until the observer
// ends it; a warm-up start of each side opens every round.
void measureDrawnOnX(const ScratchFolder& folder, const std::vector<ObservedCommand>& sides) {
    setenv(kStayOpenVariable, "1", 1);
    std::vector<std::vector<double>> times(sides.size());
    for (int round = 0; round < kDrawnRounds; ++round) {
        XSession session(folder.folder("drawn-runtime-" + std::to_string(round)));
        std::vector<Measure> measures;
        for (const ObservedCommand& side : sides) {
            measures.push_back([&side, result = folder.file("drawn.txt")] { return timeToLastDrawing(side, result); });
        }
        const std::vector<std::vector<double>> roundTimes = alternate(measures, 1, kDrawnStarts);
        for (std::size_t side = 0; side < sides.size(); ++side) {
            times[side].insert(times[side].end(), roundTimes[side].begin(), roundTimes[side].end());
        }
    }
    unsetenv(kStayOpenVariable);
    const std::string figure = "Start-up to the window's last drawing, seen from outside (XDamage on Xvfb, " +
                               std::to_string(kDrawnRounds) + " rounds × " + std::to_string(kDrawnStarts) +
                               " starts alternated; the shipped program, 40-item store, background picture)";
    const Summary hopwick = summarise(times[0]);
    const char* const floors[] = {kFloorName, kContentFloorName, kRofiName};
    for (std::size_t side = 1; side < sides.size(); ++side) {
        const bool goal = side == 1;
        printRow({figure, "ms", hopwick, summarise(times[side]), floors[side - 1], goal ? "ratio ≤ 1.10" : "",
                  goal ? std::optional<bool>(meetsGoalRatio(hopwick, summarise(times[side]))) : std::nullopt});
    }
}

// Under Xvfb: process start to exit right after the first paint.
void measureOnX(const std::string& runtimeFolder, const std::vector<std::string>* commands) {
    XSession session(runtimeFolder);
    std::vector<double> memory[kSides];
    std::vector<double> cpu[kSides];
    std::vector<Measure> sides;
    for (int index = 0; index < kSides; ++index) {
        sides.push_back([&memory, &cpu, index, command = commands[index]] {
            const TimedRun run = runTimed(command);
            memory[index].push_back(run.peakMegabytes);
            cpu[index].push_back(run.cpuMilliseconds);
            return run.milliseconds;
        });
    }
    const std::vector<std::vector<double>> times = alternate(sides, kWarmUpRounds, kRounds);
    dropWarmUp(memory);
    dropWarmUp(cpu);
    // Measured from inside and ending at the first paint: the goal is judged on the drawing seen from outside.
    report("Start-up to exit after the first paint, Xvfb (40-item store of long Japanese paths, background picture)",
           "ms", times.data(), "", nullptr);
    report("CPU time (user + system) of the same runs", "ms", cpu, "", nullptr);
    report("Peak resident set of the same runs", "MB", memory, "≤ floor + 2 MB", meetsMemoryAllowance);
}

// Under headless weston: process start to the first frame as the program reports it, since a Qt Wayland client
// now and then hangs at its exit after the window is gone. A run that has not ended within a bound of its report
// is killed and counted; its CPU time and memory are left out, as its CPU time holds the hang.
void measureOnWayland(const std::string& runtimeFolder, const std::vector<std::string>* commands) {
    WaylandSession session(runtimeFolder);
    std::vector<FramedRun> runs[kSides];
    std::vector<Measure> sides;
    for (int index = 0; index < kSides; ++index) {
        sides.push_back([&runs, index, command = commands[index]] {
            runs[index].push_back(runToFirstFrame(command, kFrameBound, kExitBound));
            return runs[index].back().firstFrameMilliseconds;
        });
    }
    alternate(sides, kWarmUpRounds, kRounds);
    // Every start counts for the hangs, the warm-up's too; the other figures are those of the measured rounds.
    int hung[kSides] = {};
    std::vector<double> frames[kSides];
    std::vector<double> memory[kSides];
    std::vector<double> cpu[kSides];
    for (int side = 0; side < kSides; ++side) {
        for (std::size_t start = 0; start < runs[side].size(); ++start) {
            const FramedRun& run = runs[side][start];
            hung[side] += run.hung ? 1 : 0;
            if (start < static_cast<std::size_t>(kWarmUpRounds)) {
                continue;
            }
            frames[side].push_back(run.firstFrameMilliseconds);
            if (!run.hung) {
                memory[side].push_back(run.exit.peakMegabytes);
                cpu[side].push_back(run.exit.cpuMilliseconds);
            }
        }
    }
    report("Start-up to first frame, headless weston, native Wayland client (same store and picture; as the program "
           "reports it)",
           "ms", frames, "ratio ≤ 1.10", meetsGoalRatio);
    report("CPU time (user + system) of the same runs, those that exited by themselves", "ms", cpu, "", nullptr);
    report("Peak resident set of the same runs, those that exited by themselves", "MB", memory, "≤ floor + 2 MB",
           meetsMemoryAllowance);
    const int starts = kWarmUpRounds + kRounds;
    const std::string hangs = "Starts that hung at exit after their first frame under weston (killed " +
                              std::to_string(kExitBound.count() / 1000) + " s after it)";
    printCountRow(hangs, hung[0], hung[1], kFloorName, starts);
    printCountRow(hangs, hung[0], hung[2], kContentFloorName, starts);
}

int measure() {
    ScratchFolder folder("window");
    // The program keeps its store beside itself, so it runs from a folder of its own.
    const std::string programFolder = folder.folder("program");
    const std::string program = programFolder + "/hopwick";
    std::filesystem::copy_file(HOPWICK_FIRST_FRAME, program);
    const std::string picture = folder.file("背景画像/壁紙（青空と桜）.bmp");
    const std::string itemList = folder.file("items.txt");
    writeFullStore(programFolder, picture, itemList);

    const std::vector<std::string> commands[kSides] = {
        {program}, {HOPWICK_BARE_WINDOW}, {HOPWICK_BARE_WINDOW, itemList, picture}};
    // The shipped program, in a folder of its own with the same store.
    const std::string shippedFolder = folder.folder("shipped");
    const std::string shipped = shippedFolder + "/hopwick";
    std::filesystem::copy_file(HOPWICK_PROGRAM, shipped);
    saveStore(shippedFolder, fullStoreItems(programFolder), picture);
    measureDrawnOnX(
        folder,
        {{{shipped}, ""}, {commands[1], ""}, {commands[2], ""}, {{"rofi", "-dmenu", "-p", "Hopwick"}, itemList}});
    measureOnX(folder.folder("x-runtime"), commands);
    measureOnWayland(folder.folder("wayland-runtime"), commands);
    return 0;
}

} // namespace

// A failure ends the run through here, so that the display servers are stopped on the way out.
int main() {
    try {
        return measure();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "hopwick_window_bench: %s\n", failure.what());
        return 1;
    }
}
