#pragma once

#include <string>
#include <string_view>

// Paths split and joined as Windows reads them. A path's root is never split: "C:\", "\\server\share\",
// "\\?\C:\", "\\?\UNC\server\share\", "\" (the current drive's) and "C:" (the drive's current folder).
namespace hopwick::win32 {

// The folder that holds `path`: the part before its last separator ('\' or '/'), or its root. A root is its
// own folder; a bare name has none ("").
std::wstring folderOf(std::wstring_view path);
// The part after the last separator, outside the root: "" for a root or a path that ends in a separator.
std::wstring_view nameOf(std::wstring_view path);
// `folder` and `name` with one separator between them; just `name` when `folder` is empty, and "C:x" after
// the drive-relative "C:".
std::wstring joined(std::wstring_view folder, std::wstring_view name);
// The "\\?\" form of a full path ("C:\…" or "\\server\share\…"), which every file call takes at any length, with
// '/', "." and ".." resolved first (the system takes such a path as it stands); anything else as it is.
std::wstring longForm(std::wstring_view path);

} // namespace hopwick::win32
