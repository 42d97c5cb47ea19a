#include "platform/windows/path_parts.h"

#include <windows.h>

namespace hopwick::win32 {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongSharePrefix = L"\\\\?\\UNC\\";

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool isDrive(std::wstring_view path) {
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// The end of the element that starts at `from`, with the one separator after it.
std::size_t pastElement(std::wstring_view path, std::size_t from) {
    const std::size_t separator = path.find_first_of(L"\\/", from);
    return separator == std::wstring_view::npos ? path.size() : separator + 1;
}

// The length of the root after `from`: a drive with its separator, or a server and its share.
std::size_t rootAfter(std::wstring_view path, std::size_t from, bool share) {
    if (share) {
        return pastElement(path, pastElement(path, from));
    }
    const std::wstring_view rest = path.substr(from);
    if (isDrive(rest)) {
        return from + (rest.size() > 2 && isSeparator(rest[2]) ? 3 : 2);
    }
    return from;
}

std::size_t rootLength(std::wstring_view path) {
    if (path.starts_with(kLongSharePrefix)) {
        return rootAfter(path, kLongSharePrefix.size(), true);
    }
    if (path.starts_with(kLongPrefix) || path.starts_with(L"\\\\.\\")) {
        return rootAfter(path, kLongPrefix.size(), false);
    }
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        return rootAfter(path, 2, true);
    }
    if (!path.empty() && isSeparator(path[0])) {
        return 1;
    }
    return rootAfter(path, 0, false);
}

// Where the name after the root's last separator begins.
std::size_t nameStart(std::wstring_view path, std::size_t root) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos || separator < root ? root : separator + 1;
}

} // namespace

std::wstring folderOf(std::wstring_view path) {
    const std::size_t root = rootLength(path);
    std::size_t end = nameStart(path, root);
    // "C:\a\\b" lies in "C:\a": the whole run of separators goes, but never the root's own.
    while (end > root && isSeparator(path[end - 1])) {
        --end;
    }
    return std::wstring(path.substr(0, end));
}

std::wstring_view nameOf(std::wstring_view path) {
    return path.substr(nameStart(path, rootLength(path)));
}

std::wstring joined(std::wstring_view folder, std::wstring_view name) {
    std::wstring result(folder);
    const bool driveOnly = result.size() == 2 && isDrive(result);
    if (!result.empty() && !isSeparator(result.back()) && !driveOnly) {
        result += L'\\';
    }
    result += name;
    return result;
}

std::wstring longForm(std::wstring_view path) {
    const bool drive = isDrive(path) && path.size() > 2 && isSeparator(path[2]);
    const bool share =
        path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] != L'?' && path[2] != L'.';
    const std::wstring given(path);
    if (!drive && !share) {
        return given;
    }
    // The system takes a "\\?\" path as it stands: '/', "." and ".." are resolved first.
    std::wstring full(given.size() + 1, L'\0');
    DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length); // the size it needs, with the terminating NUL
        length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) {
        return given;
    }
    full.resize(length);
    return share ? std::wstring(kLongSharePrefix) + full.substr(2) : std::wstring(kLongPrefix) + full;
}

} // namespace hopwick::win32
