#include "platform/win32/keyboard.h"

#include "platform/win32/main_window.h"

#include <commctrl.h>

namespace hopwick::win32 {

namespace {

// In a key's message: the key was down already, so this one is the keyboard's repeat.
constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;

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
            altShortcutTaken_ = message.message == WM_SYSKEYDOWN;
            return true;
        }
    }
    // The system never saw the letter of an Alt shortcut that ran a command, so it takes Alt's release for Alt
    // pressed alone and opens the window menu, where the next keys would go.
    if ((message.message == WM_SYSKEYUP || message.message == WM_KEYUP) && message.wParam == VK_MENU &&
        altShortcutTaken_) {
        altShortcutTaken_ = false;
        return true;
    }
    if (keyOutOfView(message)) {
        return true;
    }
    if (tabWithinView(message)) {
        return true;
    }
    if (message.message == WM_KEYDOWN && keyAtFocus(message)) {
        return true;
    }
    // A character typed without Alt is text for the path input and nothing anywhere else: the dialog manager
    // would take it as an access key while a button has the focus, and the list would search with it.
    if (message.message == WM_CHAR) {
        return controlOf(message.hwnd) != ControlId::Text1;
    }
    // The setup band's access keys (Alt with a letter) act only while the band is in view.
    if (message.message == WM_SYSCHAR && !form_.accessKeysActive()) {
        return false;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

// The key table decides at the focused control: the list's keys go to List1_KeyDown, Enter and Space press a
// focused label, and Enter a focused button (Space presses it by itself, drawn down while held).
bool MainWindow::keyAtFocus(const MSG& message) {
    const ControlId focus = controlOf(message.hwnd);
    int16_t keyCode = static_cast<int16_t>(message.wParam);
    const int16_t shift = shiftState();
    if (focus == ControlId::List1) {
        form_.List1_KeyDown(keyCode, shift);
        return keyCode == 0;
    }
    const KeyRule* rule = findKeyRule(keyPlaceOf(focus), keyCode, shift);
    if (rule == nullptr || rule->deed != KeyDeed::Press || (message.lParam & kKeyWasDown) != 0) {
        return false;
    }
    if (controlSpec(focus).kind == ControlKind::Label) {
        (form_.*MainForm::clickHandlerOf(focus))();
        return true;
    }
    if (controlSpec(focus).kind == ControlKind::Button && keyCode == kKeyEnter) {
        SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return false;
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
