#include "platform/win32/main_window.h"

namespace hopwick::win32 {

// Normal mode shows only the top strip of the window; the setup band lies below the client area. Focus, and so
// the keyboard, must never reach a control that the user cannot see.
bool MainWindow::isInView(HWND control) const {
    RECT client{};
    GetClientRect(window_, &client);
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
    RECT shown{};
    return IsWindowVisible(control) && IntersectRect(&shown, &client, &bounds);
}

HWND MainWindow::nextTabStopInView(HWND from, bool backward) const {
    // The dialog manager's tab order, with the controls out of view left out; null when none is in view.
    HWND candidate = from;
    for (std::size_t step = 0; step <= kControlCount; ++step) {
        candidate = GetNextDlgTabItem(window_, candidate, backward);
        if (candidate == nullptr) {
            break;
        }
        if (isInView(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

bool MainWindow::tabWithinView(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_MENU) < 0) {
        return false;
    }
    const HWND focus = GetFocus();
    const HWND from = focus == window_ ? nullptr : focus;
    const bool backward = GetKeyState(VK_SHIFT) < 0;
    // Where every control is in view (setup mode), the dialog manager's own Tab, in the tab order as it stands.
    const HWND next = GetNextDlgTabItem(window_, from, backward);
    if (next == nullptr || isInView(next)) {
        return false;
    }
    if (const HWND shown = nextTabStopInView(from, backward); shown != nullptr) {
        SetFocus(shown);
    }
    return true;
}

} // namespace hopwick::win32
