#include "windows/wine_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace hopwick::bench {

namespace {

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

void useWine(const std::string& root) {
    unsetenv("LC_ALL");
    setenv("LANG", "ja_JP.UTF-8", 1);
    setenv("LC_CTYPE", "ja_JP.UTF-8", 1);
    setenv("WINEPREFIX", (root + "/prefix").c_str(), 1);
    setenv("HOME", (root + "/home").c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d", 1);
    setenv("WINEARCH", "win64", 1);
}

} // namespace

WineSession::WineSession(const std::string& root) {
    run("'" HOPWICK_SOURCE_DIR "/scripts/wine-run.sh' '" + root + "' cmd.exe /c exit >/dev/null 2>&1");
    useWine(root);
    run("wineserver -k >/dev/null 2>&1 || true");
    run("wineserver -p");
}

WineSession::~WineSession() {
    if (std::system("wineserver -k") != 0) {
        std::fputs("wineserver -k failed: a Wine server may still be running\n", stderr);
    }
}

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

} // namespace hopwick::bench
