#pragma once

#include <string>
#include <string_view>

// The Windows side works in UTF-16; the rest of the program in UTF-8. These convert at the boundary.
namespace hopwick::win32 {

// Invalid UTF-8 becomes U+FFFD, as a path made of it names nothing anyway.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace hopwick::win32
