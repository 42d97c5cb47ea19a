#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace hopwick::win32 {

struct ShellDrop {
    std::vector<std::string> paths; // full paths, in the drop's order
    POINT at{};                     // where it was dropped, in the client area of the window that got it
};

// What a shell drop (WM_DROPFILES) carries. The drop is finished here: the caller keeps only the copy.
ShellDrop takeDrop(HDROP drop);

} // namespace hopwick::win32
