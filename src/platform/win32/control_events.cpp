#include "platform/win32/dropped_files.h"
#include "platform/win32/keyboard.h"
#include "platform/win32/main_window.h"
#include "platform/win32/units.h"
#include "platform/windows/wide_text.h"

#include <commctrl.h>

namespace hopwick::win32 {

void MainWindow::onCommand(ControlId id, int code) {
    const ControlKind kind = controlSpec(id).kind;
    if ((kind == ControlKind::Button && code == BN_CLICKED) || (kind == ControlKind::Label && code == STN_CLICKED)) {
        if (const auto handler = MainForm::clickHandlerOf(id)) {
            (form_.*handler)();
        }
    } else if (id == ControlId::List1 && code == LBN_SELCHANGE) {
        // A change that the mouse made (the keys go to the form's key table); the list may also report the
        // unchanged selection, which is no click.
        const int index = static_cast<int>(SendMessageW(control(ControlId::List1), LB_GETCURSEL, 0, 0));
        if (index >= 0 && index != form_.List1.ListIndex()) {
            form_.List1.clickEntry(index);
        }
    } else if (id == ControlId::Text1 && code == EN_CHANGE) {
        form_.Text1.setTextFromUser(narrow(textOf(control(ControlId::Text1))));
    }
}

// The shell's drop is finished, and its message returns, before the questions of the drop handler are asked.
void MainWindow::onDrop(HDROP drop, bool onList) {
    ShellDrop taken = takeDrop(drop);
    queuedDrops_.push_back({DataObject::files(std::move(taken.paths)), onList, shiftState(),
                            static_cast<float>(twipsOf(taken.at.x, dpi_)),
                            static_cast<float>(twipsOf(taken.at.y, dpi_))});
    PostMessageW(window_, kQueuedDropMessage, 0, 0);
}

void MainWindow::onQueuedDrop() {
    if (queuedDrops_.empty()) {
        return;
    }
    const QueuedDrop drop = std::move(queuedDrops_.front());
    queuedDrops_.pop_front();
    int effect = kDropEffectCopy;
    if (drop.onList) {
        form_.List1_OLEDragDrop(drop.data, effect, 0, drop.shift, drop.x, drop.y);
    } else {
        form_.Form_OLEDragDrop(drop.data, effect, 0, drop.shift, drop.x, drop.y);
    }
}

LRESULT MainWindow::onListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND list = control(ControlId::List1);
    switch (message) {
    case WM_LBUTTONDOWN: selectionAtPress_ = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); break;
    case WM_LBUTTONUP: {
        const LRESULT result = passOn(ControlId::List1, message, wParam, lParam);
        // A click on the entry that was selected already changes nothing, so the list reports nothing; it
        // still launches that entry again.
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        const int index = LOWORD(hit);
        const int pressedOn = selectionAtPress_;
        selectionAtPress_ = -1;
        if (HIWORD(hit) == 0 && index == pressedOn && index == form_.List1.ListIndex()) {
            form_.List1.clickEntry(index);
        }
        return result;
    }
    case WM_DROPFILES: onDrop(reinterpret_cast<HDROP>(wParam), true); return 0;
    default: break;
    }
    return passOn(ControlId::List1, message, wParam, lParam);
}

LRESULT MainWindow::onEditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter belongs to the path input, not to the dialog manager's default button.
        if (wParam == VK_RETURN) {
            return passOn(ControlId::Text1, message, wParam, lParam) | DLGC_WANTALLKEYS;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // The handler neither changes nor swallows the key.
        int16_t keyCode = static_cast<int16_t>(wParam);
        form_.Text1_KeyDown(keyCode, shiftState());
        break;
    }
    case WM_CHAR:
        // A one-line edit answers Enter's character with a beep; the key has done its work already.
        if (wParam == L'\r' || wParam == L'\n') {
            return 0;
        }
        break;
    default: break;
    }
    return passOn(ControlId::Text1, message, wParam, lParam);
}

// A label that takes the focus shows it: its surface is drawn again as the focus comes and goes.
LRESULT MainWindow::onLabelMessage(ControlId id, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = passOn(id, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: redrawUnder(control(id)); break;
    case WM_PAINT: drawLabelFocus(control(id)); break;
    default: break;
    }
    return result;
}

LRESULT CALLBACK MainWindow::controlProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(child, GWLP_USERDATA));
    const ControlId id = window->controlOf(child);
    if (message == WM_GETOBJECT) {
        if (const LRESULT object = window->onAccessibleRequest(id, wParam, lParam); object != 0) {
            return object;
        }
    }
    switch (id) {
    case ControlId::List1: return window->onListMessage(message, wParam, lParam);
    case ControlId::Text1: return window->onEditMessage(message, wParam, lParam);
    default:
        if (controlSpec(id).kind == ControlKind::Label && takesKeyboardFocus(id)) {
            return window->onLabelMessage(id, message, wParam, lParam);
        }
        return window->passOn(id, message, wParam, lParam);
    }
}

LRESULT MainWindow::passOn(ControlId id, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(controlProcs_[static_cast<std::size_t>(id)], control(id), message, wParam, lParam);
}

} // namespace hopwick::win32
