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

std::string testProgramFolder() {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return narrow(folderOf(buffer));
}

} // namespace hopwick::win32
