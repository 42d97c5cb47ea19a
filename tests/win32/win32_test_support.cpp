#include "win32_test_support.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace hopwick::win32 {

void writeFile(const std::string& path, const std::string& bytes) {
    CreateDirectoryW(folderOf(widen(path)).c_str(), nullptr);
    std::ofstream out(std::filesystem::path(widen(path)), std::ios::binary);
    out << bytes;
}

std::optional<std::string> waitForContent(const std::string& path, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        std::ifstream in(std::filesystem::path(widen(path)), std::ios::binary);
        std::ostringstream content;
        if (in && content << in.rdbuf() && !content.str().empty()) {
            return content.str();
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

DWORD endedProcessId() {
    wchar_t command[] = L"cmd.exe /c exit";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process)) {
        return 0;
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

std::string copyName(const std::string& target, DWORD processId, const char* end) {
    return "." + target + ".hopwick-" + std::to_string(processId) + end;
}

std::string testProgramFolder() {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return narrow(folderOf(buffer));
}

} // namespace hopwick::win32
