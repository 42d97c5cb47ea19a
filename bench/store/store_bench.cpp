// The item store's procedures on a full store, and the list rules on long lists.

#include "app/main_form.h"
#include "store/table_reporter.h"
#include "store/unflushed_platform.h"
#include "support/bench_platform.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace hopwick::bench {

namespace {

constexpr int kRepetitions = 20;
constexpr double kSecondsPerRepetition = 0.05;
// The trim is timed alone, so the list is refilled outside the clock; a fixed count keeps the untimed
// refills from taking minutes.
constexpr int kTrimIterations = 200;
// Linear means ten times the entries take ten times as long; a quarter more leaves room for the caches.
constexpr double kLinearSlack = 1.25;
const char* const kLinearGoal = "ratio ≤ 1.25 (linear)";

const char* const kSaveFlushed = "SI, full store, atomic replace with fsync (the program's)";
const char* const kSaveUnflushed = "SI, full store, plain overwrite without fsync";
const char* const kLoad = "OpenF, full store (file in the page cache)";

void fillFullStore(MainForm& form, const std::string& folder) {
    for (const std::string& item : fullStoreItems(folder)) {
        form.List1.AddItem(item);
    }
    form.PicturePath = folder + "/背景画像/壁紙（青空と桜）.bmp";
}

template <class PlatformType> void save(benchmark::State& state) {
    ScratchFolder folder("store");
    PlatformType platform(folder.path());
    MainForm form(platform);
    fillFullStore(form, folder.path());
    for (auto _ : state) {
        form.SI();
    }
    if (!platform.messages.empty()) {
        state.SkipWithError("the save reported a failure");
    }
}

void load(benchmark::State& state) {
    ScratchFolder folder("store");
    BenchPlatform platform(folder.path());
    MainForm form(platform);
    fillFullStore(form, folder.path());
    form.SI();
    for (auto _ : state) {
        form.OpenF();
    }
    if (!platform.messages.empty() || form.List1.ListCount() != kStoreSlots) {
        state.SkipWithError("the load did not read the full store back");
    }
}

// The trim after a load, on a list whose second half is empty entries.
void trim(benchmark::State& state, int entries) {
    BenchPlatform platform("/nonexistent");
    MainForm form(platform);
    for (auto _ : state) {
        state.PauseTiming();
        form.List1.Clear();
        for (int i = 0; i < entries; ++i) {
            form.List1.AddItem(i < entries / 2 ? "/home/利用者/ドキュメント/報告書.txt" : "");
        }
        state.ResumeTiming();
        form.checK();
    }
    if (form.List1.ListCount() != entries / 2) {
        state.SkipWithError("the trim left the wrong number of entries");
    }
}

// Every rule of the list once per entry: append, select (setup mode, so the click starts nothing), read,
// replace, and remove from the end.
void listRules(benchmark::State& state, int entries) {
    BenchPlatform platform("/nonexistent");
    MainForm form(platform);
    form.SetupMode = true;
    const std::string text = "/home/利用者/ドキュメント/業務資料/報告書（最終版）.txt";
    for (auto _ : state) {
        for (int i = 0; i < entries; ++i) {
            form.List1.AddItem(text);
        }
        for (int i = 0; i < entries; ++i) {
            form.List1.setListIndex(i);
            benchmark::DoNotOptimize(form.List1.List(i));
            form.List1.setList(i, text);
        }
        for (int i = entries - 1; i >= 0; --i) {
            form.List1.RemoveItem(i);
        }
    }
}

std::string sizedName(const char* what, int entries) {
    return std::string(what) + ", " + (entries == 1000 ? "1 000" : "10 000") + " entries";
}

// A fixed iteration count replaces the minimum time.
void configure(benchmark::internal::Benchmark* benchmark, int iterations = 0) {
    benchmark->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions);
    if (iterations > 0) {
        benchmark->Iterations(iterations);
    } else {
        benchmark->MinTime(kSecondsPerRepetition);
    }
}

void printLinearity(const TableReporter& reporter, const char* what) {
    const Summary small = reporter.summary(sizedName(what, 1000));
    const Summary large = reporter.summary(sizedName(what, 10000));
    printRow({sizedName(what, 1000), "µs", small, std::nullopt, "", "", std::nullopt});
    const Summary linear{small.median * 10, small.minimum * 10, small.maximum * 10, small.count};
    printRow({sizedName(what, 10000), "µs", large, linear, "10 × the 1 000-entry time", kLinearGoal,
              ratioOfMedians(large, linear) <= kLinearSlack});
}

} // namespace

} // namespace hopwick::bench

int main(int argc, char** argv) {
    using namespace hopwick::bench;
    // The repetitions of all benchmarks are mixed, so that no figure gets a quiet or a busy stretch alone.
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    configure(benchmark::RegisterBenchmark(kSaveFlushed, save<hopwick::bench::BenchPlatform>));
    configure(benchmark::RegisterBenchmark(kSaveUnflushed, save<UnflushedPlatform>));
    configure(benchmark::RegisterBenchmark(kLoad, load));
    for (const int entries : {1000, 10000}) {
        configure(benchmark::RegisterBenchmark(sizedName("checK", entries).c_str(), trim, entries), kTrimIterations);
        configure(benchmark::RegisterBenchmark(sizedName("List rules", entries).c_str(), listRules, entries));
    }

    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    printRow({kSaveFlushed, "µs", reporter.summary(kSaveFlushed), std::nullopt, "", "", std::nullopt});
    printRow({kSaveUnflushed, "µs", reporter.summary(kSaveUnflushed), std::nullopt, "", "", std::nullopt});
    printRow({kLoad, "µs", reporter.summary(kLoad), std::nullopt, "", "", std::nullopt});
    printLinearity(reporter, "checK");
    printLinearity(reporter, "List rules");
    return 0;
}
