#pragma once

namespace hopwick::win32 {

// The window class of the launcher's window, by which other programs (the end-to-end tests) find it.
inline constexpr const wchar_t* kMainWindowClass = L"HopwickMainWindow";

} // namespace hopwick::win32
