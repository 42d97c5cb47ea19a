#pragma once

#include <windows.h>

#include <string>

namespace hopwick::win32 {

inline constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The system's own text for an error code (GetLastError's, or an HRESULT), in UTF-8 with no line break at
// the end: in `language` where the system has it, else in the system's default choice, else the number.
std::string systemMessage(unsigned long code, LANGID language = kJapanese);

// The system's text for an error code in exactly `language` (0: the system's choice), as the system gives it;
// empty when it has none.
std::wstring systemText(unsigned long code, LANGID language);

} // namespace hopwick::win32
