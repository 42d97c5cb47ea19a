#pragma once

#include "platform/system_services.h"

#include <windows.h>

namespace hopwick::win32 {

// Reads the open file from where it stands, at most `maxBytes`.
FileRead readOpenFile(HANDLE file, std::size_t maxBytes);

} // namespace hopwick::win32
