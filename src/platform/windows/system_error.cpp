#include "platform/windows/system_error.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32_texts.h"

#include <cstdio>

namespace hopwick::win32 {

std::wstring systemText(unsigned long code, LANGID language) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                                        nullptr, code, language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L' ' || message.back() == L'\r' || message.back() == L'\n')) {
        message.pop_back();
    }
    return message;
}

std::string systemMessage(unsigned long code, LANGID language) {
    // A Windows without the language's resources has no text in it (ERROR_RESOURCE_LANG_NOT_FOUND).
    std::wstring message = systemText(code, language);
    if (message.empty() && language != 0) {
        message = systemText(code, 0);
    }
    if (message.empty()) {
        // HRESULTs read better in hexadecimal, as they are written everywhere.
        char number[16];
        std::snprintf(number, sizeof number, code > 0xFFFF ? "0x%08lX" : "%lu", code);
        return std::string(texts::kErrorNumber) + number;
    }
    return narrow(message);
}

} // namespace hopwick::win32
