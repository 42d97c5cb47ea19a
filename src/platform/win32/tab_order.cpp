#include "platform/win32/main_window.h"

namespace hopwick::win32 {

// Normal mode shows only the top strip of the window; the setup band lies below the client area. Which controls
// are in view is the form's rule, the same on every front end; the window itself counts as in view.
bool MainWindow::isInView(HWND control) const {
    return form_.controlInView(controlOf(control));
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
