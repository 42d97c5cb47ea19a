// The Windows build: the size of hopwick.exe and the DLLs it imports, and its start-up to first paint under Wine
// against a bare Win32 window with the same controls, both alternately, under Xvfb with a window manager.

#include "support/comparison.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"
#include "support/timed_run.h"
#include "support/x_session.h"
#include "windows/wine_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace hopwick::bench {

namespace {

constexpr int kWarmUpRounds = 3;
constexpr int kRounds = 20;
constexpr double kGoalRatio = 1.10;
constexpr double kSizeLimitKilobytes = 1024;
const char* const kFloorName = "bare Win32 window, same controls";
// DLLs that every Windows installation has.
const std::vector<std::string> kSystemDlls = {"kernel32.dll", "user32.dll", "gdi32.dll",    "comctl32.dll",
                                              "comdlg32.dll", "ole32.dll",  "oleaut32.dll", "shell32.dll",
                                              "advapi32.dll", "msvcrt.dll", "uxtheme.dll",  "shlwapi.dll"};

std::vector<std::string> importedDlls(const std::string& program) {
    const std::string command = "x86_64-w64-mingw32-objdump -p '" + program + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> output(popen(command.c_str(), "r"), pclose);
    if (!output) {
        throw std::runtime_error("cannot run " + command);
    }
    std::vector<std::string> dlls;
    char line[512];
    while (std::fgets(line, sizeof line, output.get()) != nullptr) {
        const std::string text(line);
        if (const auto at = text.find("DLL Name: "); at != std::string::npos) {
            std::string name = text.substr(at + 10);
            name.erase(name.find_last_not_of(" \r\n") + 1);
            dlls.push_back(name);
        }
    }
    return dlls;
}

bool isSystemDll(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return std::find(kSystemDlls.begin(), kSystemDlls.end(), name) != kSystemDlls.end();
}

double kilobytes(const std::string& file) {
    return static_cast<double>(std::filesystem::file_size(file)) / 1024;
}

void reportSize(const std::string& program, const std::string& floor) {
    const std::vector<std::string> dlls = importedDlls(program);
    std::string names;
    bool systemOnly = !dlls.empty();
    for (const std::string& dll : dlls) {
        names += (names.empty() ? "" : ", ") + dll;
        systemOnly = systemOnly && isSystemDll(dll);
    }
    const double size = kilobytes(program);
    printRow({"hopwick.exe: file size; imports " + names,
              "KB",
              {size, size, size, 1},
              Summary{kilobytes(floor), kilobytes(floor), kilobytes(floor), 1},
              kFloorName,
              "< 1 MB, system DLLs only",
              size < kSizeLimitKilobytes && systemOnly});
}

void writeFullStore(const std::string& programFolder, const std::string& picture) {
    writeBackgroundPicture(picture);
    std::vector<std::string> items;
    for (std::string item : fullStoreItems("/Users/利用者")) {
        std::replace(item.begin(), item.end(), '/', '\\');
        items.push_back("C:" + item);
    }
    saveStore(programFolder, items, windowsPath(picture));
}

} // namespace

} // namespace hopwick::bench

namespace {

int measure(int argc, char** argv) {
    using namespace hopwick::bench;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOWS_BUILD_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string build = std::filesystem::absolute(argv[1]).string();
    const std::string hopwick = build + "/src/platform/win32/hopwick.exe";
    const std::string firstFrame = build + "/bench/hopwick_first_frame.exe";
    const std::string bare = build + "/bench/hopwick_bare_window.exe";
    reportSize(hopwick, bare);

    ScratchFolder folder("windows");
    const std::string programFolder = folder.folder("program");
    const std::string program = programFolder + "/hopwick.exe";
    std::filesystem::copy_file(firstFrame, program);
    writeFullStore(programFolder, folder.file("背景画像/壁紙（青空と桜）.bmp"));

    XSession session(folder.folder("runtime"));
    const WineSession wine(build + "/wine");

    const auto side = [](const std::string& path) { return [path] { return runTimed({"wine", path}).milliseconds; }; };
    const std::vector<std::vector<double>> times = alternate({side(program), side(bare)}, kWarmUpRounds, kRounds);

    const Summary hopwickTime = summarise(times[0]);
    const Summary floorTime = summarise(times[1]);
    printRow({"Start-up to first paint under Wine, Xvfb (40-item store, background picture)", "ms", hopwickTime,
              floorTime, kFloorName, "ratio ≤ 1.10", ratioOfMedians(hopwickTime, floorTime) <= kGoalRatio});
    return 0;
}

} // namespace

// A failure ends the run through here, so that the X server and the window manager are stopped on the way out.
int main(int argc, char** argv) {
    try {
        return measure(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s\n", argv[0], failure.what());
        return 1;
    }
}
