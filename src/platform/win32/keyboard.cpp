#include "platform/win32/keyboard.h"

#include "platform/win32/main_window.h"

#include <commctrl.h>

namespace hopwick::win32 {

namespace {

// The messages by which a key reaches the focused control.
bool reachesTheFocus(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_DEADCHAR;
}

} // namespace

int16_t shiftState() {
    int16_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        state |= kShiftMask;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        state |= kCtrlMask;
    }
    if (GetKeyState(VK_MENU) < 0) {
        state |= kAltMask;
    }
    return state;
}

bool MainWindow::preTranslate(MSG& message) {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    // The tooltips learn where the mouse is from here rather than by subclassing every control.
    if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST && tooltip_ != nullptr) {
        SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
    // The window sees every key before its controls do; a key it handles goes no further.
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        int16_t keyCode = static_cast<int16_t>(message.wParam);
        form_.Form_KeyDown(keyCode, shiftState());
        if (keyCode == 0 || window_ == nullptr) {
            return true;
        }
    }
    if (keyOutOfView(message)) {
        return true;
    }
    if (tabWithinView(message)) {
        return true;
    }
    // The setup band's access keys act only while the band is in view. The dialog manager takes Alt with a
    // letter, and a plain letter while a button has the focus, as one.
    if ((message.message == WM_CHAR || message.message == WM_SYSCHAR) && !form_.accessKeysActive()) {
        return false;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

// A control out of view takes no key but Tab, which brings the focus back into view: Space or Enter on a hidden
// button would press it unseen, and typing would fill the hidden path input.
bool MainWindow::keyOutOfView(const MSG& message) const {
    if (!reachesTheFocus(message.message) || isInView(message.hwnd)) {
        return false;
    }
    const bool tab = message.message == WM_CHAR ? message.wParam == L'\t' : message.wParam == VK_TAB;
    return !tab;
}

int MainWindow::run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace hopwick::win32
