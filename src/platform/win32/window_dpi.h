#pragma once

#include <windows.h>

namespace hopwick::win32 {

// The resolution that a window is drawn at. The per-window and per-monitor resolutions exist from Windows 10
// version 1607 only, so they are looked up at run time; before that every window has the system's.
UINT dpiOfWindow(HWND window);

// The resolution of the screen where new windows most likely stand.
UINT systemDpi();

} // namespace hopwick::win32
