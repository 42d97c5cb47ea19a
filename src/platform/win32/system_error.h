#pragma once

#include <string>

namespace hopwick::win32 {

// The system's own text for an error code (GetLastError's, or an HRESULT), in UTF-8 with no line break at
// the end; the number where the system has no text for it.
std::string systemMessage(unsigned long code);

} // namespace hopwick::win32
