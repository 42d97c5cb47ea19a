// The Windows build: the size of hopwick.exe and the DLLs it imports, and its start-up to first paint under Wine
// against a bare Win32 window with the same controls, both alternately, under Xvfb with a window manager. A third
// side, the same bare window showing the same items and picture, tells the system's cost of drawing that content
// apart from Hopwick's own logic.

#include "support/comparison.h"
#include "support/full_store.h"
#include "support/scratch_folder.h"
#include "support/table.h"
#include "support/timed_run.h"
#include "support/x_session.h"
#include "windows/wine_session.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
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
const char* const kContentFloorName = "bare Win32 window showing the same items and picture";
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

// The same items go into a plain list for the floor that shows the same content.
void writeFullStore(const std::string& programFolder, const std::string& picture, const std::string& itemList) {
    writeBackgroundPicture(picture);
    std::vector<std::string> items;
    for (std::string item : fullStoreItems("/Users/利用者")) {
        std::replace(item.begin(), item.end(), '/', '\\');
        items.push_back("C:" + item);
    }
    saveStore(programFolder, items, windowsPath(picture));
    std::ofstream plain(itemList);
    for (const std::string& item : items) {
        plain << item << "\n";
    }
    if (!plain.flush()) {
        throw std::runtime_error("cannot write " + itemList);
    }
}

bool succeeds(const std::vector<std::string>& command) {
    try {
        runTimed(command);
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

// The content floor must refuse what it cannot show: a window that quietly came up empty would pass for it.
// The paths are Windows paths, as the program takes them.
void checkContentFloor(const std::string& bare, const std::string& itemList, const std::string& picture) {
    const std::string missing = itemList + ".missing";
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {missing, picture}, {itemList, missing}, {itemList, itemList}, {itemList}}) {
        std::vector<std::string> command = {"wine", bare};
        command.insert(command.end(), wrong.begin(), wrong.end());
        if (succeeds(command)) {
            throw std::runtime_error(bare + " shows a window for content it cannot load: " + wrong.back());
        }
    }
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
    const std::string picture = folder.file("背景画像/壁紙（青空と桜）.bmp");
    const std::string itemList = folder.file("items.txt");
    writeFullStore(programFolder, picture, itemList);

    XSession session(folder.folder("runtime"));
    const WineSession wine(build + "/wine");

    // Wine programs take Windows paths in their arguments.
    const std::vector<std::string> content = {windowsPath(itemList), windowsPath(picture)};
    checkContentFloor(bare, content[0], content[1]);

    const auto side = [](std::vector<std::string> command) {
        return [command] { return runTimed(command).milliseconds; };
    };
    const std::vector<std::vector<double>> times =
        alternate({side({"wine", program}), side({"wine", bare}), side({"wine", bare, content[0], content[1]})},
                  kWarmUpRounds, kRounds);

    const std::string figure = "Start-up to first paint under Wine, Xvfb (40-item store, background picture)";
    const Summary hopwickTime = summarise(times[0]);
    const Summary floorTime = summarise(times[1]);
    printRow({figure, "ms", hopwickTime, floorTime, kFloorName, "ratio ≤ 1.10",
              ratioOfMedians(hopwickTime, floorTime) <= kGoalRatio});
    printRow({figure, "ms", hopwickTime, summarise(times[2]), kContentFloorName, "", std::nullopt});
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
