#include "platform/windows/wide_text.h"

#include <windows.h>

namespace hopwick::win32 {

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

} // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(), length);
    return result;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf16.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring folderOf(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring_view::npos) {
        return {};
    }
    // "C:\x" lies in "C:\", not in "C:" (which is the drive's current folder); "\x" lies in "\".
    const bool keepSeparator = separator == 0 || (separator == 2 && path[1] == L':');
    return std::wstring(path.substr(0, keepSeparator ? separator + 1 : separator));
}

std::wstring_view nameOf(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

std::wstring joined(std::wstring_view folder, std::wstring_view name) {
    std::wstring result(folder);
    if (!result.empty() && !isSeparator(result.back())) {
        result += L'\\';
    }
    result += name;
    return result;
}

} // namespace hopwick::win32
