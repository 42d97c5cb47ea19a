#include "platform/win32/window_dpi.h"

#include "platform/windows/system_function.h"
#include "platform/windows/win32_owners.h"

namespace hopwick::win32 {

namespace {

const auto kGetDpiForWindow = HOPWICK_SYSTEM_FUNCTION(L"user32.dll", GetDpiForWindow);
const auto kGetDpiForSystem = HOPWICK_SYSTEM_FUNCTION(L"user32.dll", GetDpiForSystem);

// What a process that is aware of the resolution sees on every Windows: the screen's logical pixels per inch.
UINT screenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

UINT dpiOfWindow(HWND window) {
    if (const auto function = kGetDpiForWindow.get(); function != nullptr) {
        if (const UINT dpi = function(window); dpi != 0) {
            return dpi;
        }
    }
    return systemDpi();
}

UINT systemDpi() {
    if (const auto function = kGetDpiForSystem.get(); function != nullptr) {
        return function();
    }
    return screenDpi();
}

} // namespace hopwick::win32
