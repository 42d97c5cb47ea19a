#pragma once

#include <windows.h>

#include <string>

namespace hopwick::win32 {

// MessageBoxW, except that a Yes/No box can be closed without an answer, by Escape or its close button, as a
// user expects of any box: it then returns IDCANCEL. The system's own Yes/No box ignores both.
int closableMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type);

} // namespace hopwick::win32
