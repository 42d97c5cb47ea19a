#include "platform/system_platform.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"

namespace hopwick {

namespace {

// As the DOS directory search has it: an entry counts when each of its hidden, system and folder attributes is
// asked for in the mask; plain files always count, and read-only or archive bits play no part.
bool countsUnderMask(DWORD attributes, PathAttributes mask) {
    DWORD wanted = 0;
    if (includes(mask, PathAttributes::Hidden)) {
        wanted |= FILE_ATTRIBUTE_HIDDEN;
    }
    if (includes(mask, PathAttributes::System)) {
        wanted |= FILE_ATTRIBUTE_SYSTEM;
    }
    if (includes(mask, PathAttributes::Folder)) {
        wanted |= FILE_ATTRIBUTE_DIRECTORY;
    }
    constexpr DWORD kFiltered = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    return (attributes & kFiltered & ~wanted) == 0;
}

// These codes say that nothing of that name exists, or can exist; any other is a search that failed in itself,
// such as a drive that is not ready or a folder that may not be read.
bool meansNotFound(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE: return true;
    default: return false;
    }
}

PathSearch failedWith(DWORD code) {
    return meansNotFound(code) ? PathSearch{} : PathSearch{{}, win32::systemMessage(code)};
}

} // namespace

PathSearch SystemPlatform::findPath(const std::string& path, PathAttributes attributeMask) {
    if (path.empty()) {
        return {};
    }
    WIN32_FIND_DATAW entry{};
    const win32::SearchHandle search(
        FindFirstFileExW(win32::widen(path).c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search.valid()) {
        return failedWith(GetLastError());
    }
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L".." && countsUnderMask(entry.dwFileAttributes, attributeMask)) {
            return {win32::narrow(name), {}};
        }
    } while (FindNextFileW(search.get(), &entry));
    return failedWith(GetLastError());
}

} // namespace hopwick
