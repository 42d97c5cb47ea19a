// Tells the end-to-end tests where the launcher's client area lies on the screen, which no X client can see:
// Wine draws the frame and the controls inside one X window. Prints "left top width height dpi" and ends with 0,
// or ends with 1 when there is no launcher window.
#include "platform/win32/main_window_class.h"

#include <windows.h>

#include <cstdio>

int main() {
    const HWND window = FindWindowW(hopwick::win32::kMainWindowClass, nullptr);
    if (window == nullptr) {
        return 1;
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT client{};
    GetClientRect(window, &client);
    std::printf("%ld %ld %ld %ld %u\n", origin.x, origin.y, client.right, client.bottom, GetDpiForWindow(window));
    return 0;
}
