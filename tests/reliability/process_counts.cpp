#include "process_counts.h"

#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOPWICK_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define HOPWICK_ADDRESS_SANITIZER 1
#endif
#ifdef HOPWICK_ADDRESS_SANITIZER
#include <sanitizer/allocator_interface.h>
#endif

namespace hopwick::testing {

std::size_t openDescriptorCount() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count - 1; // the iterator's own descriptor
}

int zombieChildCount() {
    const std::string self = std::to_string(getpid());
    int zombies = 0;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ignored)) {
        std::ifstream in(entry.path() / "stat");
        std::string line;
        if (!std::getline(in, line)) {
            continue;
        }
        // pid (name) state ppid ...; the name may hold spaces and parentheses, so read after the last ')'.
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos || close + 2 >= line.size()) {
            continue;
        }
        const std::string rest = line.substr(close + 2);
        const std::size_t space = rest.find(' ');
        const std::string parent = rest.substr(space + 1, rest.find(' ', space + 1) - space - 1);
        zombies += rest[0] == 'Z' && parent == self ? 1 : 0;
    }
    return zombies;
}

std::uint64_t bytesReadSoFar() {
    std::ifstream in("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (in >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return 0;
}

std::size_t heapBytesInUse() {
#ifdef HOPWICK_ADDRESS_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

} // namespace hopwick::testing
