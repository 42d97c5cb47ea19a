#pragma once

#include "app/main_form.h"

#include <windows.h>

#include <functional>

namespace hopwick::win32 {

// The launcher as the program runs it: the common controls (OLE only at its first need), the platform, the form
// and its window, the store loaded, the window shown, and its message loop until the window is gone. `shown`,
// when given, sees the form and the window right before the loop starts. Returns the exit code.
int runLauncher(HINSTANCE instance, int showCommand, const std::function<void(MainForm&, HWND)>& shown = {});

} // namespace hopwick::win32
