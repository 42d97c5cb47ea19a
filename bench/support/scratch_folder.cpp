#include "support/scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace hopwick::bench {

ScratchFolder::ScratchFolder(const std::string& purpose) {
    const std::string pattern = (std::filesystem::temp_directory_path() / ("hopwick-" + purpose + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("cannot create a folder like " + pattern);
    }
    path_ = name.data();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::file(const std::string& name) const {
    const std::filesystem::path target = std::filesystem::path(path_) / name;
    std::filesystem::create_directories(target.parent_path());
    return target.string();
}

std::string ScratchFolder::folder(const std::string& name) const {
    const std::filesystem::path target = std::filesystem::path(path_) / name;
    std::filesystem::create_directories(target);
    return target.string();
}

} // namespace hopwick::bench
