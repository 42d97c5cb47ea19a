#include "platform/win32/main_window.h"
#include "platform/windows/wide_text.h"

namespace hopwick::win32 {

namespace {

const Label& labelOf(const MainForm& form, ControlId id) {
    switch (id) {
    case ControlId::Label1: return form.Label1;
    case ControlId::Label2: return form.Label2;
    case ControlId::Label3: return form.Label3;
    default: return form.Label4;
    }
}

std::wstring listText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

bool listShows(HWND list, const std::vector<std::string>& entries) {
    if (SendMessageW(list, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(entries.size())) {
        return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (listText(list, static_cast<int>(i)) != widen(entries[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::wstring MainWindow::textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void MainWindow::controlChanged(ControlId id) {
    // Until the window shows, nobody sees its controls: show() brings them up to date at once. Under Wine a
    // load that rebuilt the list box for each of forty appended entries doubled the start-up.
    if (IsWindowVisible(window_)) {
        sync(id);
    }
}

void MainWindow::sync(ControlId id) {
    switch (controlSpec(id).kind) {
    case ControlKind::ListBox: syncList(); break;
    case ControlKind::TextBox: syncText(); break;
    case ControlKind::Label: syncLabel(id); break;
    case ControlKind::Button: InvalidateRect(control(id), nullptr, TRUE); break; // its back colour
    case ControlKind::Window: break;
    }
}

void MainWindow::syncList() {
    const HWND list = control(ControlId::List1);
    const std::vector<std::string>& entries = form_.List1.entries();
    if (!listShows(list, entries)) {
        const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& entry : entries) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(entry).c_str()));
        }
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    // Setting the selection from here notifies nothing, so the form's handlers do not run twice.
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(form_.List1.ListIndex()), 0);
    if (form_.List1.scrollRequests() != listScrollsServed_) {
        listScrollsServed_ = form_.List1.scrollRequests();
        scrollListTo(form_.List1.entryToShow());
    }
}

void MainWindow::scrollListTo(int index) {
    const HWND list = control(ControlId::List1);
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const int rows = form_.List1.rowsInView();
    if (index < top) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    } else if (index >= top + rows) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index - rows + 1), 0);
    }
}

void MainWindow::syncText() {
    const HWND edit = control(ControlId::Text1);
    const std::wstring text = widen(form_.Text1.Text());
    if (textOf(edit) != text) {
        SetWindowTextW(edit, text.c_str());
    }
}

void MainWindow::syncLabel(ControlId id) {
    const Label& label = labelOf(form_, id);
    const HWND child = control(id);
    const std::wstring caption = widen(label.Caption());
    if (textOf(child) != caption) {
        SetWindowTextW(child, caption.c_str());
    }
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(id, label.FontBold() ? FW_BOLD : FW_NORMAL)),
                 FALSE);
    redrawUnder(child);
}

void MainWindow::redrawUnder(HWND child) {
    // A label is transparent: what it showed before is gone only when the window's surface is painted again.
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace hopwick::win32
