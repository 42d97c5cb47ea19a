#include "platform/win32/main_window.h"
#include "platform/win32/units.h"
#include "platform/windows/win32_owners.h"

namespace hopwick::win32 {

void MainWindow::paintBackground(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    // The picture at its own size from the top-left corner, neither stretched nor repeated.
    if (picture_) {
        picture_->draw(dc, 0, 0);
    }
}

void MainWindow::drawColoredButton(const DRAWITEMSTRUCT& item) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    RECT area = item.rcItem;
    const GdiObject<HBRUSH> face(CreateSolidBrush(colorRefOf(form_.Command1.BackColor())));
    FillRect(item.hDC, &area, face.get());
    DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
    const SelectedObject font(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT text = area;
    if (pressed) {
        OffsetRect(&text, 1, 1);
    }
    DrawTextW(item.hDC, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) != 0) {
        InflateRect(&area, -3, -3);
        drawFocusFrame(item.hDC, area);
    }
}

// A solid frame in the text colour: the system's dotted one is faint on a coloured face.
void MainWindow::drawFocusFrame(HDC dc, const RECT& area) {
    FrameRect(dc, &area, GetSysColorBrush(COLOR_BTNTEXT));
}

void MainWindow::drawLabelFocus(HWND label) {
    if (GetFocus() != label) {
        return;
    }
    RECT area{};
    GetClientRect(label, &area);
    const WindowDc dc(label);
    drawFocusFrame(dc.get(), area);
}

} // namespace hopwick::win32
