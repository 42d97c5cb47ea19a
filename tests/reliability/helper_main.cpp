// A second launcher for the process-level tests, and a stand-in for the programs that a launch starts.
//
//   hopwick_reliability_helper save-loop FOLDER LISTS SECONDS
//       Starts the real window's logic over the real system platform with FOLDER as the program's folder,
//       then saves the lists named in LISTS ("AB": A, B, A, ...) one after the other, reloading after each
//       save, for SECONDS seconds (0: until killed). Every load must be silent and show one whole list.
//
//   hopwick_reliability_helper start-storm COUNT first|later
//       Starts COUNT programs with no descriptor free, from the first start or from the second on; see
//       start_storm.h for what it checks and its exit codes.
//
// Started with HOPWICK_STAND_IN_LOG set, under any name, it records how it was called there and exits.

#include "stand_in.h"
#include "start_storm.h"
#include "store_lists.h"
#include "windowless_platform.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using hopwick::MainForm;
using hopwick::testing::listShown;
using hopwick::testing::showList;
using hopwick::testing::StoredList;
using hopwick::testing::WindowlessPlatform;

constexpr int kUsage = 64;
constexpr int kStartNotSilent = 2;
constexpr int kLoadNotSilent = 3;
constexpr int kForeignList = 4;

bool isOneOfTheLists(const StoredList& shown) {
    return shown == hopwick::testing::storedList('A') || shown == hopwick::testing::storedList('B');
}

int saveLoop(const std::string& folder, const std::string& lists, int seconds) {
    WindowlessPlatform platform(folder);
    MainForm form(platform);
    form.Form_Load();
    if (!platform.messages.empty()) {
        std::cerr << "start-up told: " << platform.messages.front() << '\n';
        return kStartNotSilent;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (std::size_t round = 0; seconds == 0 || std::chrono::steady_clock::now() < deadline; ++round) {
        showList(form, hopwick::testing::storedList(lists[round % lists.size()]));
        form.SI();
        form.OpenF();
        if (!platform.messages.empty()) {
            std::cerr << "round " << round << " told: " << platform.messages.front() << '\n';
            return kLoadNotSilent;
        }
        if (!isOneOfTheLists(listShown(form))) {
            std::cerr << "round " << round << " loaded a list that nobody saved\n";
            return kForeignList;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const char* log = std::getenv(hopwick::testing::kStandInLogVariable); log != nullptr) {
        return hopwick::testing::recordStandInCall(log, argc, argv);
    }
    if (argc == 5 && std::string(argv[1]) == "save-loop" && argv[3][0] != '\0') {
        return saveLoop(argv[2], argv[3], std::atoi(argv[4]));
    }
    if (argc == 4 && std::string(argv[1]) == "start-storm") {
        return hopwick::testing::startStorm(std::atoi(argv[2]), std::string(argv[3]) == "first");
    }
    std::cerr << "usage: " << argv[0] << " save-loop FOLDER LISTS SECONDS | start-storm COUNT first|later\n";
    return kUsage;
}
