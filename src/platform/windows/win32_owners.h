#pragma once

#include <windows.h>

#include <utility>

namespace hopwick::win32 {

// Owners of the system's resources that are given back by one call each, once, when the owner goes: movable,
// never copied, so that a resource never has two owners.

// Whether an owner holds a handle: any value but the empty one, and for kernel handles neither of the two "no
// handle" values that the system returns.
template <typename Handle> bool heldUnlessEmpty(Handle handle) {
    return handle != Handle{};
}
inline bool heldKernelHandle(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A handle that one function gives back: a kernel object (CloseHandle), a directory search (FindClose), a GDI
// object (DeleteObject), a memory device context (DeleteDC) or global memory (GlobalFree).
template <typename Handle, auto GiveBack, auto Held = heldUnlessEmpty<Handle>> class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~Owned() {
        if (valid()) {
            GiveBack(handle_);
        }
    }

    Handle get() const { return handle_; }
    bool valid() const { return Held(handle_); }
    // Hands the handle to a new owner that gives it back itself.
    Handle release() { return std::exchange(handle_, Handle{}); }

private:
    Handle handle_{};
};

using UniqueHandle = Owned<HANDLE, CloseHandle, heldKernelHandle>;
using SearchHandle = Owned<HANDLE, FindClose, heldKernelHandle>;
template <typename Object> using GdiObject = Owned<Object, DeleteObject>;
using MemoryDc = Owned<HDC, DeleteDC>;
using GlobalMemory = Owned<HGLOBAL, GlobalFree>;

// A reference to a COM object, released once.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference that the caller holds.
    explicit ComPtr(Interface* object) : object_(object) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Where a function that hands out a new reference puts it; the reference held before is released first.
    Interface** put() {
        *this = ComPtr();
        return &object_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

private:
    Interface* object_ = nullptr;
};

// The device context of a window's client area, or of the screen for no window, given back to the window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(WindowDc&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc other) noexcept {
        std::swap(window_, other.window_);
        std::swap(dc_, other.dc_);
        return *this;
    }
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a while; the object selected before comes back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), before_(SelectObject(dc, object)) {}
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), before_(std::exchange(other.before_, nullptr)) {}
    SelectedObject& operator=(SelectedObject other) noexcept {
        std::swap(dc_, other.dc_);
        std::swap(before_, other.before_);
        return *this;
    }
    ~SelectedObject() {
        if (dc_ != nullptr && before_ != nullptr && before_ != HGDI_ERROR) {
            SelectObject(dc_, before_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ before_;
};

} // namespace hopwick::win32
