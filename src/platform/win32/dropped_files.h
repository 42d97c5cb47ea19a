#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace hopwick::win32 {

// The full paths of a shell drop, in its order. The drop itself stays the caller's to finish.
std::vector<std::string> droppedFiles(HDROP drop);

} // namespace hopwick::win32
