#include "platform/windows/shell_start.h"
#include "platform/system_platform.h"
#include "platform/windows/system_error.h"
#include "platform/windows/system_function.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"

#include <shellapi.h>

namespace hopwick {

namespace win32 {

namespace {

const auto kShellExecute = HOPWICK_SYSTEM_FUNCTION(L"shell32.dll", ShellExecuteW);

} // namespace

void shellExecuteFor(HWND owner, const std::string& verb, const std::string& file, const std::string& directory,
                     int showCommand) {
    const auto shellExecute = kShellExecute.get();
    if (shellExecute == nullptr) {
        return; // no shell to ask; nothing is reported of the shell's answer either
    }
    const std::wstring wideDirectory = widen(directory);
    shellExecute(owner, widen(verb).c_str(), widen(file).c_str(), nullptr,
                 wideDirectory.empty() ? nullptr : wideDirectory.c_str(), showCommand);
}

} // namespace win32

void SystemPlatform::shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                                  int showCommand) {
    win32::shellExecuteFor(nullptr, verb, file, directory, showCommand);
}

ProgramStart SystemPlatform::startProgram(const std::string& programFile, int windowStyle) {
    // The program file is the whole command: quoted when it holds a blank, so that it is not split there.
    std::wstring commandLine = win32::widen(programFile);
    if (commandLine.find_first_of(L" \t") != std::wstring::npos) {
        commandLine = L'"' + commandLine + L'"';
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return {false, win32::systemMessage(GetLastError())};
    }
    // Nothing waits for or watches the started program.
    const win32::UniqueHandle processHandle(process.hProcess);
    const win32::UniqueHandle threadHandle(process.hThread);
    return {true, {}};
}

} // namespace hopwick
