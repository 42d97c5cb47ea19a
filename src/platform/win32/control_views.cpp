#include "platform/win32/main_window.h"
#include "platform/win32/units.h"
#include "platform/win32/window_dpi.h"
#include "platform/windows/wide_text.h"

#include <commctrl.h>

namespace hopwick::win32 {

namespace {

// Clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
constexpr int kFirstControlId = 100;

struct NativeKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

// Made as normal mode shows them: the setup band, which lies below the client area, stays hidden until setup
// mode, so that assistive technology does not offer what nobody sees.
NativeKind nativeKindOf(const ControlSpec& spec) {
    const DWORD child = WS_CHILD | (inView(spec.id, false) ? WS_VISIBLE : 0);
    switch (spec.kind) {
    case ControlKind::ListBox:
        return {L"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES};
    case ControlKind::TextBox: return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
        // OK is the one button in the graphical style, so that its back colour fills it.
        return {L"BUTTON", child | WS_TABSTOP | (spec.id == ControlId::Command1 ? BS_OWNERDRAW : BS_PUSHBUTTON), 0};
    case ControlKind::Label:
    case ControlKind::Window: break;
    }
    // Labels take clicks (SS_NOTIFY) and show their captions as they are, "&" included; the ones that act as
    // buttons are found by Tab as buttons are.
    const DWORD tabStop = takesKeyboardFocus(spec.id) ? WS_TABSTOP : 0;
    return {L"STATIC", child | tabStop | SS_NOTIFY | SS_NOPREFIX | SS_LEFT, 0};
}

} // namespace

ControlId MainWindow::controlOf(HWND child) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (child != nullptr && controls_[i] == child) {
            return static_cast<ControlId>(i);
        }
    }
    return ControlId::Form;
}

void MainWindow::createControls() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    dpi_ = dpiOfWindow(window_);
    // Made in tab order, which is the order that the dialog manager's Tab follows, and where they stand: under
    // Wine every later move is a round trip to the server.
    for (const ControlSpec& spec : controlTable()) {
        const NativeKind kind = nativeKindOf(spec);
        const int id = kFirstControlId + static_cast<int>(spec.id);
        controlHandle(spec.id) = CreateWindowExW(kind.extendedStyle, kind.windowClass, widen(spec.caption).c_str(),
                                                 kind.style, pixelsOf(spec.left, dpi_), pixelsOf(spec.top, dpi_),
                                                 pixelsOf(spec.width, dpi_), pixelsOf(spec.height, dpi_), window_,
                                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    }
    SendMessageW(control(ControlId::Text1), EM_SETLIMITTEXT, 0, 0); // no limit but the system's
    // Subclassed by hand: the common controls' subclassing looks its chain up in a window property at every
    // message, which under Wine is a round trip to the server, forty of them for a store's entries alone. All
    // are, for what they tell assistive technology; the list and the edit also for their input.
    for (const ControlSpec& spec : controlTable()) {
        SetWindowLongPtrW(control(spec.id), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        controlProcs_[static_cast<std::size_t>(spec.id)] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control(spec.id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
    }
    addTooltips();
    applyScale();
}

void MainWindow::showControlsInView() {
    // The window's height tells the mode: the form sets it before it changes its mode and moves the focus.
    const bool setupHeight = heightTwips_ > kNormalOuterHeight;
    for (const ControlSpec& spec : controlTable()) {
        const HWND shown = control(spec.id);
        const bool visible = (GetWindowLongW(shown, GWL_STYLE) & WS_VISIBLE) != 0;
        if (visible != inView(spec.id, setupHeight)) {
            ShowWindow(shown, visible ? SW_HIDE : SW_SHOWNA);
        }
    }
}

void MainWindow::addTooltips() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, window_, nullptr, nullptr, nullptr);
    for (const ControlSpec& spec : controlTable()) {
        if (spec.tooltip.empty()) {
            continue;
        }
        std::wstring text = widen(spec.tooltip); // the tooltip keeps a copy
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND; // the message loop relays the mouse, for the same reason as above
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control(spec.id));
        tool.lpszText = text.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

HFONT MainWindow::fontOf(ControlId id, int weight) {
    return fonts_.get(controlSpec(id).font, weight, dpi_);
}

void MainWindow::layOut() {
    dpi_ = dpiOfWindow(window_);
    for (const ControlSpec& spec : controlTable()) {
        SetWindowPos(control(spec.id), nullptr, pixelsOf(spec.left, dpi_), pixelsOf(spec.top, dpi_),
                     pixelsOf(spec.width, dpi_), pixelsOf(spec.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyScale();
}

void MainWindow::applyScale() {
    for (const ControlSpec& spec : controlTable()) {
        if (spec.kind == ControlKind::Label) {
            syncLabel(spec.id);
        } else {
            SendMessageW(control(spec.id), WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(spec.id, spec.font.weight)),
                         FALSE);
        }
    }
    fitListRows();
    if (IsWindowVisible(window_)) {
        resize();
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::fitListRows() {
    // The font sets the rows' height anew, so this comes after it. Five rows fill the list's design height at
    // 96 dpi; at other resolutions the list is made as much shorter as it takes for no row to be cut.
    const ControlSpec& spec = controlSpec(ControlId::List1);
    const HWND list = control(ControlId::List1);
    const int row = listRowPixelsOf(spec.font.points, dpi_);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(row, 0));
    // The list stands at its design size here (made or laid out so just before).
    RECT client{};
    GetClientRect(list, &client);
    form_.List1.setRowsInView(client.bottom / row);
    if (const int cut = client.bottom % row; cut != 0) {
        SetWindowPos(list, nullptr, 0, 0, pixelsOf(spec.width, dpi_), pixelsOf(spec.height, dpi_) - cut,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace hopwick::win32
