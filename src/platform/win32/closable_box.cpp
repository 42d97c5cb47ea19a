#include "platform/win32/closable_box.h"

#include <string_view>

namespace hopwick::win32 {

namespace {

// The box being shown by this thread: one at a time, as each is modal.
struct ShownBox {
    HHOOK hook = nullptr;
    HWND box = nullptr;
    WNDPROC procedure = nullptr;
};
thread_local ShownBox shown;

LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool escape = message == WM_COMMAND && LOWORD(wParam) == IDCANCEL;
    const bool closeButton = message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE;
    if (escape || closeButton || message == WM_CLOSE) {
        EndDialog(box, IDCANCEL);
        return 0;
    }
    return CallWindowProcW(shown.procedure, box, message, wParam, lParam);
}

// The box is a dialog of the system's class; it is taken over as it first becomes active.
LRESULT CALLBACK watchForBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && shown.box == nullptr) {
        const auto candidate = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(candidate, name, 16);
        if (std::wstring_view(name) == L"#32770") {
            shown.box = candidate;
            shown.procedure = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(candidate, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProc)));
            EnableMenuItem(GetSystemMenu(candidate, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
        }
    }
    return CallNextHookEx(shown.hook, code, wParam, lParam);
}

} // namespace

int closableMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) {
    const ShownBox outer = shown;
    shown = {SetWindowsHookExW(WH_CBT, watchForBox, nullptr, GetCurrentThreadId()), nullptr, nullptr};
    const int answer = MessageBoxW(owner, text.c_str(), title.c_str(), type);
    if (shown.hook != nullptr) {
        UnhookWindowsHookEx(shown.hook);
    }
    shown = outer;
    return answer;
}

} // namespace hopwick::win32
