#pragma once

#include <string>
#include <vector>

namespace hopwick::bench {

// Forty long Japanese paths of documents under `folder`, as a user's full store holds them.
std::vector<std::string> fullStoreItems(const std::string& folder);

// Writes the store of a program in `programFolder` through the program's own save, as a user's OK would.
void saveStore(const std::string& programFolder, const std::vector<std::string>& items, const std::string& picturePath);

// A 24-bit bitmap the size of the window's client area, as a user's background picture is likely to be.
void writeBackgroundPicture(const std::string& path);

} // namespace hopwick::bench
