// Start-up to first frame and peak memory of the real Hopwick window, built by the program's own start-up code
// over a full store with a background picture, against a bare Qt window with the same controls (the toolkit's
// floor). Both run under Xvfb with a window manager, alternately, and end right after their first paint.

#include "app/main_form.h"
#include "support/bench_platform.h"
#include "support/comparison.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"
#include "support/timed_run.h"
#include "support/x_session.h"

#include <filesystem>
#include <stdexcept>

namespace hopwick::bench {

namespace {

constexpr int kWarmUpRounds = 3;
constexpr int kRounds = 30;
constexpr double kGoalRatio = 1.10;
constexpr double kMemoryAllowance = 2; // megabytes over the floor
const char* const kFloorName = "bare Qt window, same controls";

// The store is written by the program's own save, as a user's OK would write it.
void writeFullStore(const std::string& programFolder, const std::string& picture) {
    writeBackgroundPicture(picture);
    BenchPlatform platform(programFolder);
    MainForm form(platform);
    for (const std::string& item : fullStoreItems(programFolder)) {
        form.List1.AddItem(item);
    }
    form.PicturePath = picture;
    form.SI();
    if (platform.messages != 0) {
        throw std::runtime_error("the store could not be written");
    }
}

} // namespace

} // namespace hopwick::bench

int main() {
    using namespace hopwick::bench;
    ScratchFolder folder("window");
    // The program keeps its store beside itself, so it runs from a folder of its own.
    const std::string programFolder = folder.folder("program");
    const std::string program = programFolder + "/hopwick";
    std::filesystem::copy_file(HOPWICK_FIRST_FRAME, program);
    writeFullStore(programFolder, folder.file("背景画像/壁紙（青空と桜）.bmp"));

    XSession session(folder.folder("runtime"));
    std::vector<double> memory[2];
    std::vector<double> cpu[2];
    const auto side = [&memory, &cpu](int index, const std::string& path) {
        return [&memory, &cpu, index, path] {
            const TimedRun run = runTimed({path});
            memory[index].push_back(run.peakMegabytes);
            cpu[index].push_back(run.cpuMilliseconds);
            return run.milliseconds;
        };
    };
    const std::vector<std::vector<double>> times =
        alternate({side(0, program), side(1, HOPWICK_BARE_WINDOW)}, kWarmUpRounds, kRounds);
    // The warm-up rounds' figures are not kept.
    for (std::vector<double>* figures : {&memory[0], &memory[1], &cpu[0], &cpu[1]}) {
        figures->erase(figures->begin(), figures->begin() + kWarmUpRounds);
    }

    const Summary hopwickTime = summarise(times[0]);
    const Summary floorTime = summarise(times[1]);
    printRow({"Start-up to first frame, Xvfb (40-item store of long Japanese paths, background picture)", "ms",
              hopwickTime, floorTime, kFloorName, "ratio ≤ 1.10",
              ratioOfMedians(hopwickTime, floorTime) <= kGoalRatio});
    const Summary hopwickCpu = summarise(cpu[0]);
    const Summary floorCpu = summarise(cpu[1]);
    printRow({"CPU time (user + system) of the same runs", "ms", hopwickCpu, floorCpu, kFloorName, "", std::nullopt});
    const Summary hopwickMemory = summarise(memory[0]);
    const Summary floorMemory = summarise(memory[1]);
    printRow({"Peak resident set of the same runs", "MB", hopwickMemory, floorMemory, kFloorName, "≤ floor + 2 MB",
              hopwickMemory.median <= floorMemory.median + kMemoryAllowance});
    return 0;
}
