#include "launch/builtin_tools.h"

#include <array>

namespace hopwick {

namespace {

constexpr std::array<BuiltinTool, 15> kTools{{
    {"NotePad", "Notepad.exe", ShowCommand::Normal},
    {"Paint", "Pbrush.exe", ShowCommand::Normal},
    {"Explorer", "Explorer.exe", ShowCommand::Normal},
    {"WordPad", "Write.exe", ShowCommand::Normal},
    {"Calc", "Calc.exe", ShowCommand::Normal},
    {"Telnet", "Telnet.exe", ShowCommand::Normal},
    {"FTP", "Ftp.exe", ShowCommand::Normal},
    {"DosPrompt", "C:\\WINDOWS\\command.com", ShowCommand::Normal},
    {"defrag", "Defrag.exe", ShowCommand::Normal},
    {"Regedit", "Regedit.exe", ShowCommand::Normal},
    {"Scandisk", "Scandskw.exe", ShowCommand::Normal},
    {"Dialer", "Dialer.exe", ShowCommand::Normal},
    {"Winfile", "Winfile.exe", ShowCommand::Normal},
    {"Progman", "Progman.exe", ShowCommand::Normal},
    {"Imaging", "Wangimg.exe", ShowCommand::Normal},
}};

} // namespace

std::span<const BuiltinTool> BuiltinTools() {
    return kTools;
}

const BuiltinTool* findBuiltinTool(std::string_view name) {
    for (const BuiltinTool& tool : kTools) {
        if (tool.name == name) {
            return &tool;
        }
    }
    return nullptr;
}

} // namespace hopwick
