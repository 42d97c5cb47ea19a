#include "windows/bare_content.h"

namespace hopwick::bench {

namespace {

std::optional<std::string> fileBytes(const wchar_t* path) {
    const HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<std::string> bytes;
    LARGE_INTEGER size{};
    // A file of items is a few kilobytes; anything near the limit is not one.
    if (GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24)) {
        std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) && got == read.size()) {
            bytes = std::move(read);
        }
    }
    CloseHandle(file);
    return bytes;
}

} // namespace

std::optional<std::vector<std::wstring>> linesOf(std::string_view utf8) {
    std::vector<std::wstring> lines;
    while (!utf8.empty()) {
        const std::size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        // Never more UTF-16 units than UTF-8 bytes.
        const int length = static_cast<int>(line.size());
        std::wstring wide(line.size(), L'\0');
        const int made = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line.data(), length, wide.data(), length);
        if (made <= 0) {
            return std::nullopt;
        }
        wide.resize(static_cast<std::size_t>(made));
        lines.push_back(std::move(wide));
    }
    return lines;
}

std::optional<BareContent> loadBareContent(const wchar_t* itemsPath, const wchar_t* picturePath) {
    const std::optional<std::string> bytes = fileBytes(itemsPath);
    std::optional<std::vector<std::wstring>> items = bytes ? linesOf(*bytes) : std::nullopt;
    if (!items || items->empty()) {
        return std::nullopt;
    }
    const auto picture = static_cast<HBITMAP>(
        LoadImageW(nullptr, picturePath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP measures{};
    if (picture == nullptr || GetObjectW(picture, sizeof measures, &measures) == 0) {
        return std::nullopt;
    }
    return BareContent{std::move(*items), picture, {measures.bmWidth, measures.bmHeight}};
}

} // namespace hopwick::bench
