#include "windows/first_paint_close.h"

namespace hopwick::bench {

void closeAfterFirstPaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace hopwick::bench
