#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hopwick::testing {

// The names in a folder, sorted: what a save left behind.
std::vector<std::string> entriesOf(const std::filesystem::path& folder);

// A file's whole content; "" when it cannot be read.
std::string contentOf(const std::filesystem::path& file);

} // namespace hopwick::testing
