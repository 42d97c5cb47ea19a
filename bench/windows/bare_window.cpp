// The system's floor: a plain Win32 window with Hopwick's controls (version 6 of the common controls, through
// the same manifest), geometry, captions, tooltips and fonts, and nothing else: no store, no picture, no
// handlers. It ends after its first paint, as the measured Hopwick does.
// Given a file of items (UTF-8, one a line) and a bitmap picture, it also shows them, the plain Win32 way: the
// floor for showing the same content, which tells the system's cost of drawing it from Hopwick's own. It fails
// when it cannot show them, so that the benchmark never measures the empty window in their place.

#include "app/control_table.h"
#include "app/texts.h"
#include "windows/bare_content.h"
#include "windows/first_paint_close.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdlib>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace {

using namespace hopwick;

int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

std::wstring wide(std::string_view utf8) {
    std::wstring text(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                           static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// One font object a design font, as a program that shares them would hold.
HFONT fontOf(const FontSpec& spec) {
    static std::map<std::tuple<std::string_view, double, int>, HFONT> made;
    HFONT& handle = made[{spec.family, spec.points, spec.weight}];
    if (handle != nullptr) {
        return handle;
    }
    LOGFONTW font{};
    font.lfHeight = -MulDiv(static_cast<int>(spec.points * 100), 96, 7200);
    font.lfWeight = spec.weight;
    font.lfCharSet = static_cast<BYTE>(spec.charset);
    wide(spec.family).copy(font.lfFaceName, LF_FACESIZE - 1);
    handle = CreateFontIndirectW(&font);
    return handle;
}

const wchar_t* classOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::ListBox: return L"LISTBOX";
    case ControlKind::TextBox: return L"EDIT";
    case ControlKind::Button: return L"BUTTON";
    default: return L"STATIC";
    }
}

DWORD styleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::ListBox: return WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    case ControlKind::TextBox: return WS_BORDER | ES_AUTOHSCROLL;
    case ControlKind::Button: return BS_PUSHBUTTON;
    default: return SS_LEFT;
    }
}

// The picture, when the window shows one; the window procedure has no other way to it.
const bench::BareContent* shown = nullptr;

void drawPicture(HDC dc, const bench::BareContent& content) {
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, content.picture);
    BitBlt(dc, 0, 0, content.pictureSize.cx, content.pictureSize.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_ERASEBKGND:
        if (shown != nullptr) {
            // The class brush first, then the picture at its own size from the top-left corner.
            DefWindowProcW(window, message, wParam, lParam);
            drawPicture(reinterpret_cast<HDC>(wParam), *shown);
            return 1;
        }
        break;
    case WM_CTLCOLORSTATIC:
        // Over a picture the labels let it show through, as Hopwick's do.
        if (shown != nullptr) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // No arguments, or the items file and the picture.
    if (__argc != 1 && __argc != 3) {
        return 2;
    }
    const std::optional<bench::BareContent> content =
        __argc == 3 ? bench::loadBareContent(__wargv[1], __wargv[2]) : std::nullopt;
    if (__argc == 3 && !content) {
        return 2;
    }
    shown = content ? &*content : nullptr;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, wide(texts::kAppTitle).c_str(),
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                        pixels(kOuterWidth), pixels(kNormalOuterHeight), nullptr, nullptr, instance, nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(kWindowFont)), FALSE);
    HWND list = nullptr;
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                   0, 0, 0, window, nullptr, instance, nullptr);
    for (const ControlSpec& spec : controlTable()) {
        const std::wstring caption =
            wide(spec.id == ControlId::Label2 ? std::string_view(texts::kSetupLabelCaption) : spec.caption);
        HWND control = CreateWindowExW(0, classOf(spec.kind), caption.c_str(),
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | styleOf(spec.kind), pixels(spec.left),
                                       pixels(spec.top), pixels(spec.width), pixels(spec.height), window, nullptr,
                                       instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(spec.font)), FALSE);
        if (spec.kind == ControlKind::ListBox) {
            list = control;
        }
        if (!spec.tooltip.empty()) {
            std::wstring text = wide(spec.tooltip);
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window;
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = text.data();
            SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (content) {
        for (const std::wstring& item : content->items) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    // A list that did not take every item would be a lesser floor than the one reported.
    const bool complete =
        !content || SendMessageW(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(content->items.size());
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    hopwick::bench::closeAfterFirstPaint(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return complete ? 0 : 3;
}
