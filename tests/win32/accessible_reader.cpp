// Reads the launcher's controls from another process as a screen reader does, through oleacc. Prints a line a
// control, in the order of the window's children: "name<TAB>role<TAB>state<TAB>accessible name", the name the
// control has in the design, role and state as numbers, in UTF-8. "press NAME" does that control's default
// action instead. Ends with 1 when there is no launcher window or something cannot be read.
#include "app/control_table.h"
#include "platform/win32/main_window_class.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

// The window numbers its controls from here, in tab order.
constexpr int kFirstControlId = 100;

VARIANT self() {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

std::string designName(HWND control) {
    const int index = GetDlgCtrlID(control) - kFirstControlId;
    return std::string(hopwick::controlSpec(static_cast<hopwick::ControlId>(index)).name);
}

std::string lineAbout(HWND control, IAccessible& object) {
    std::string line = designName(control);
    VARIANT value{};
    line += '\t' + std::to_string(SUCCEEDED(object.get_accRole(self(), &value)) ? value.lVal : 0);
    value = {};
    line += '\t' + std::to_string(SUCCEEDED(object.get_accState(self(), &value)) ? value.lVal : 0);
    BSTR name = nullptr;
    if (object.get_accName(self(), &name) == S_OK && name != nullptr) {
        line += '\t' + hopwick::win32::narrow(std::wstring(name, SysStringLen(name)));
        SysFreeString(name);
    } else {
        line += '\t';
    }
    return line + '\n';
}

int read(HWND window, const std::string& pressed) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object)))) {
            return 1;
        }
        bool ok = true;
        if (pressed.empty()) {
            const std::string line = lineAbout(child, *object);
            std::fwrite(line.data(), 1, line.size(), stdout);
        } else if (designName(child) == pressed) {
            ok = object->accDoDefaultAction(self()) == S_OK;
        }
        object->Release();
        if (!ok) {
            return 1;
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const HWND window = FindWindowW(hopwick::win32::kMainWindowClass, nullptr);
    if (window == nullptr || FAILED(CoInitialize(nullptr))) {
        return 1;
    }
    const bool press = argc == 3 && std::wstring(argv[1]) == L"press";
    const int result = read(window, press ? hopwick::win32::narrow(argv[2]) : std::string());
    std::fflush(stdout);
    CoUninitialize();
    return result;
}
