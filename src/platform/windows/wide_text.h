#pragma once

#include <string>
#include <string_view>

// The Windows side works in UTF-16; the rest of the program in UTF-8. These convert at the boundary.
namespace hopwick::win32 {

// Invalid UTF-8 becomes U+FFFD, as a path made of it names nothing anyway.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The part of a path before its last separator ('\' or '/'), keeping the one after a drive ("C:\"), and the part
// after it.
std::wstring folderOf(std::wstring_view path);
std::wstring_view nameOf(std::wstring_view path);
// `folder` and `name` with one separator between them; just `name` when `folder` is empty.
std::wstring joined(std::wstring_view folder, std::wstring_view name);

} // namespace hopwick::win32
