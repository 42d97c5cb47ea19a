#include "platform/system_platform.h"
#include "platform/windows/wide_text.h"

#include <windows.h>

namespace hopwick {

namespace {

// Always this code page, whatever the user's ANSI code page is: the store file is written in it.
constexpr UINT kCodePage932 = 932;

// The whole text or nothing: bytes that are not valid in the code page fail the conversion.
std::optional<std::wstring> strictlyWidened(UINT codePage, std::string_view bytes) {
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return wide;
}

} // namespace

std::optional<std::string> SystemPlatform::encodeCodePage932(std::string_view utf8) {
    if (utf8.empty()) {
        return std::string();
    }
    const std::optional<std::wstring> wide = strictlyWidened(CP_UTF8, utf8);
    if (!wide) {
        return std::nullopt;
    }
    // No best fit: U+00A5 must not quietly become the backslash, nor an accented letter its plain one.
    const int wideLength = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide->data(), wideLength, nullptr, 0,
                                           nullptr, &usedDefault);
    if (length == 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide->data(), wideLength, bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

std::optional<std::string> SystemPlatform::decodeCodePage932(std::string_view bytes) {
    if (bytes.empty()) {
        return std::string();
    }
    const std::optional<std::wstring> wide = strictlyWidened(kCodePage932, bytes);
    if (!wide) {
        return std::nullopt;
    }
    return win32::narrow(*wide);
}

} // namespace hopwick
