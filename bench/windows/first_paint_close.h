#pragma once

#include <windows.h>

namespace hopwick::bench {

// Ends the program right after the first frame of `window`, which has been shown and updated: UpdateWindow has
// painted its surface at once, and the controls, windows of their own, are painted here before it closes.
void closeAfterFirstPaint(HWND window);

} // namespace hopwick::bench
