#include "platform/posix/native_programs.h"

#include <utility>

namespace hopwick::posix {

namespace {

struct NativeEquivalent {
    std::string_view programFile;
    std::vector<NativeProgram> candidates;
};

// A terminal emulator running `command` ("" for the user's shell); each has its own way of taking a command.
std::vector<NativeProgram> terminals(const std::string& command) {
    auto running = [&](std::string terminal, std::string option) {
        NativeProgram program{std::move(terminal), {}, false};
        if (!command.empty()) {
            program.arguments = {std::move(option), command};
        }
        return program;
    };
    return {
        running("x-terminal-emulator", "-e"), running("gnome-terminal", "--"), running("konsole", "-e"),
        running("xfce4-terminal", "-x"),      running("xterm", "-e"),
    };
}

std::vector<NativeProgram> programs(std::initializer_list<const char*> names) {
    std::vector<NativeProgram> result;
    for (const char* name : names) {
        result.push_back({name, {}, false});
    }
    return result;
}

const std::vector<NativeEquivalent>& table() {
    static const std::vector<NativeEquivalent> equivalents = {
        {"Notepad.exe", programs({"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma",
                                  "featherpad", "leafpad"})},
        {"Pbrush.exe", programs({"kolourpaint", "pinta", "drawing", "gimp"})},
        {"Explorer.exe", {{"xdg-open", {}, true}}},
        {"Write.exe", {{"libreoffice", {"--writer"}, false}, {"abiword", {}, false}}},
        {"Calc.exe", programs({"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "xcalc"})},
        {"Telnet.exe", terminals("telnet")},
        {"Ftp.exe", terminals("ftp")},
        {"C:\\WINDOWS\\command.com", terminals("")},
        {"Defrag.exe", programs({"gnome-disks"})},
        {"Regedit.exe", programs({"dconf-editor"})},
        {"Scandskw.exe", programs({"gnome-disks"})},
        {"Dialer.exe", {}},
        {"Winfile.exe", {{"xdg-open", {}, true}}},
        {"Progman.exe", {}},
        {"Wangimg.exe", programs({"eog", "gwenview", "ristretto", "feh"})},
    };
    return equivalents;
}

// Windows file names ignore the case of ASCII letters.
bool sameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

const std::vector<NativeProgram>* nativeEquivalents(std::string_view programFile) {
    for (const NativeEquivalent& equivalent : table()) {
        if (sameFileName(equivalent.programFile, programFile)) {
            return &equivalent.candidates;
        }
    }
    return nullptr;
}

} // namespace hopwick::posix
