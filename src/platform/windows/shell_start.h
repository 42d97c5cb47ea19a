#pragma once

#include <windows.h>

#include <string>

namespace hopwick::win32 {

// The shell's verb on a file or URL, with `owner` as the parent of anything the shell shows. The result is not
// examined: the callers report nothing of it.
void shellExecuteFor(HWND owner, const std::string& verb, const std::string& file, const std::string& directory,
                     int showCommand);

} // namespace hopwick::win32
