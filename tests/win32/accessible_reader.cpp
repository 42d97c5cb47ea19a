// Reads the launcher's controls from another process as a screen reader does, through oleacc. Prints a line a
// control, in the order of the window's children: "name<TAB>role<TAB>state<TAB>accessible name", the name the
// control has in the design, role and state as numbers, in UTF-8. "press NAME" does that control's default
// action instead. "listen" hears the launcher's name changes and focus moves as a screen reader's hook does, a
// line each, "event<TAB>source<TAB>child<TAB>accessible name" with event "name" or "focus", source the design
// name of the control or "Form" for the window; it prints "listening" once the hook is set and runs until its
// input ends. Ends with 1 when there is no launcher window or something cannot be read.
#include "app/control_table.h"
#include "platform/win32/main_window_class.h"
#include "platform/windows/wide_text.h"

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

std::string nameOf(IAccessible& object, const VARIANT& child) {
    BSTR name = nullptr;
    std::string text;
    if (object.get_accName(child, &name) == S_OK && name != nullptr) {
        text = hopwick::win32::narrow(std::wstring(name, SysStringLen(name)));
        SysFreeString(name);
    }
    return text;
}

HWND launcher = nullptr;

void CALLBACK hear(HWINEVENTHOOK, DWORD event, HWND source, LONG objectId, LONG childId, DWORD, DWORD) {
    if (source == nullptr || (source != launcher && GetParent(source) != launcher)) {
        return;
    }
    std::string line = event == EVENT_OBJECT_NAMECHANGE ? "name" : "focus";
    line += '\t' + (source == launcher ? std::string("Form") : designName(source));
    line += '\t' + std::to_string(childId) + '\t';
    IAccessible* object = nullptr;
    VARIANT child{};
    if (SUCCEEDED(AccessibleObjectFromEvent(source, static_cast<DWORD>(objectId), static_cast<DWORD>(childId), &object,
                                            &child)) &&
        object != nullptr) {
        line += nameOf(*object, child);
        object->Release();
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

// Out of context, as a screen reader's hook runs: the events come through this thread's messages, which are
// handled until the input ends.
int listen() {
    DWORD process = 0;
    GetWindowThreadProcessId(launcher, &process);
    const HWINEVENTHOOK names = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, hear,
                                                process, 0, WINEVENT_OUTOFCONTEXT);
    const HWINEVENTHOOK focus =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, hear, process, 0, WINEVENT_OUTOFCONTEXT);
    if (names == nullptr || focus == nullptr) {
        return 1;
    }
    static DWORD thread = GetCurrentThreadId();
    const HANDLE watcher = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            while (std::getchar() != EOF) {
            }
            PostThreadMessageW(thread, WM_QUIT, 0, 0);
            return 0;
        },
        nullptr, 0, nullptr);
    if (watcher == nullptr) {
        return 1;
    }
    CloseHandle(watcher);
    std::puts("listening");
    std::fflush(stdout);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    UnhookWinEvent(names);
    UnhookWinEvent(focus);
    return 0;
}

std::string lineAbout(HWND control, IAccessible& object) {
    std::string line = designName(control);
    VARIANT value{};
    line += '\t' + std::to_string(SUCCEEDED(object.get_accRole(self(), &value)) ? value.lVal : 0);
    value = {};
    line += '\t' + std::to_string(SUCCEEDED(object.get_accState(self(), &value)) ? value.lVal : 0);
    return line + '\t' + nameOf(object, self()) + '\n';
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
    launcher = FindWindowW(hopwick::win32::kMainWindowClass, nullptr);
    if (launcher == nullptr || FAILED(CoInitialize(nullptr))) {
        return 1;
    }
    const bool press = argc == 3 && std::wstring(argv[1]) == L"press";
    const bool listening = argc == 2 && std::wstring(argv[1]) == L"listen";
    const int result = listening ? listen() : read(launcher, press ? hopwick::win32::narrow(argv[2]) : std::string());
    std::fflush(stdout);
    CoUninitialize();
    return result;
}
