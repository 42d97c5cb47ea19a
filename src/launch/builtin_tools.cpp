#include "launch/builtin_tools.h"

#include "platform/platform.h"

#include <array>

namespace hopwick {

namespace {

constexpr std::array<BuiltinTool, 15> kTools{{
    {"NotePad", "Notepad.exe", kShowNormal},
    {"Paint", "Pbrush.exe", kShowNormal},
    {"Explorer", "Explorer.exe", kShowNormal},
    {"WordPad", "Write.exe", kShowNormal},
    {"Calc", "Calc.exe", kShowNormal},
    {"Telnet", "Telnet.exe", kShowNormal},
    {"FTP", "Ftp.exe", kShowNormal},
    {"DosPrompt", "C:\\WINDOWS\\command.com", kShowNormal},
    {"defrag", "Defrag.exe", kShowNormal},
    {"Regedit", "Regedit.exe", kShowNormal},
    {"Scandisk", "Scandskw.exe", kShowNormal},
    {"Dialer", "Dialer.exe", kShowNormal},
    {"Winfile", "Winfile.exe", kShowNormal},
    {"Progman", "Progman.exe", kShowNormal},
    {"Imaging", "Wangimg.exe", kShowNormal},
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
