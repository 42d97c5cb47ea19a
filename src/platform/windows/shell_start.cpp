#include "platform/system_platform.h"
#include "platform/windows/ole_on_demand.h"
#include "platform/windows/system_error.h"
#include "platform/windows/system_function.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"

#include <shellapi.h>

namespace hopwick {

namespace {

const auto kShellExecute = HOPWICK_SYSTEM_FUNCTION(L"shell32.dll", ShellExecuteW);

} // namespace

// The shell's answer is not examined: whatever it has to tell, it shows itself, over this thread's active window.
std::string SystemPlatform::shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                                         ShowCommand showCommand) {
    const auto shellExecute = kShellExecute.get();
    if (shellExecute == nullptr) {
        return {}; // no shell to ask; nothing is reported of the shell's answer either
    }
    // The shell may hand the file to an extension of its own, which runs in this thread's apartment.
    win32::needOle();
    const std::wstring wideDirectory = win32::widen(directory);
    shellExecute(GetActiveWindow(), win32::widen(verb).c_str(), win32::widen(file).c_str(), nullptr,
                 wideDirectory.empty() ? nullptr : wideDirectory.c_str(), static_cast<int>(showCommand));
    return {};
}

ProgramStart SystemPlatform::startProgram(const std::string& programFile, ShowCommand windowStyle) {
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
