#include "platform/windows/system_function.h"

#include <string>

namespace hopwick::win32 {

HMODULE systemModule(const wchar_t* dll) {
    // A loaded module is only counted once more, and never freed: its functions stay valid.
    if (const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); module != nullptr) {
        return module;
    }
    // Windows 7 knows the search flag only with an update installed, and refuses it otherwise: the system
    // folder is then named in full.
    if (GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + dll).c_str());
}

} // namespace hopwick::win32
