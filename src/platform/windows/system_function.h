#pragma once

#include <windows.h>

#include <atomic>

namespace hopwick::win32 {

// The module of a system DLL, loaded from the system folder only (never from the program's folder or the current
// one) at the first call and kept for the life of the process; null when it cannot be loaded.
HMODULE systemModule(const wchar_t* dll);

// A function of a system DLL that is loaded at its first call rather than at the program's start: the system
// loads every imported DLL with its dependencies before the first window (Wine slowly), and most runs never
// need the shell, the file dialog or OLE. Made by HOPWICK_SYSTEM_FUNCTION, which takes the type from the
// system's own declaration.
template <typename Function> class SystemFunction {
public:
    constexpr SystemFunction(const wchar_t* dll, const char* name) : dll_(dll), name_(name) {}
    SystemFunction(const SystemFunction&) = delete;
    SystemFunction& operator=(const SystemFunction&) = delete;

    // The function, or null when its DLL or the function itself is missing; GetLastError then tells why.
    Function* get() const {
        Function* function = function_.load(std::memory_order_acquire);
        if (function == nullptr) {
            if (const HMODULE module = systemModule(dll_); module != nullptr) {
                function = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name_)));
            }
            function_.store(function, std::memory_order_release);
        }
        return function;
    }

private:
    const wchar_t* dll_;
    const char* name_;
    mutable std::atomic<Function*> function_{nullptr};
};

} // namespace hopwick::win32

// The system function `name` of `dll` ("shell32.dll"), typed by its declaration in the system's header, so that
// the name and the type cannot disagree. Referring to it in decltype imports nothing.
#define HOPWICK_SYSTEM_FUNCTION(dll, name) ::hopwick::win32::SystemFunction<decltype(::name)>(dll, #name)
