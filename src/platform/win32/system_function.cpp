#include "platform/win32/system_function.h"

namespace hopwick::win32 {

HMODULE systemModule(const wchar_t* dll) {
    // A loaded module is only counted once more, and never freed: its functions stay valid.
    return LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace hopwick::win32
