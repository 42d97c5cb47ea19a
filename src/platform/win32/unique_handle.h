#pragma once

#include <windows.h>

namespace hopwick::win32 {

// Owns a kernel handle (file, process, thread) or a directory search's handle, and closes it once.
template <BOOL(WINAPI* Close)(HANDLE)> class BasicHandle {
public:
    explicit BasicHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    BasicHandle(const BasicHandle&) = delete;
    BasicHandle& operator=(const BasicHandle&) = delete;
    ~BasicHandle() {
        if (valid()) {
            Close(handle_);
        }
    }
    // Both "no handle" values that the system returns count as invalid.
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

using UniqueHandle = BasicHandle<CloseHandle>;
using SearchHandle = BasicHandle<FindClose>;

} // namespace hopwick::win32
