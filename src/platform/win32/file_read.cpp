#include "platform/system_platform.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

#include <algorithm>

namespace hopwick {

namespace {

constexpr DWORD kChunk = 64 * 1024;

FileRead failedWith(DWORD code) {
    FileRead result;
    result.status = FileRead::Status::Failed;
    result.error = win32::systemMessage(code);
    return result;
}

// Reads up to `count` bytes onto the end of `bytes`; false on a read error, with GetLastError set.
bool readInto(HANDLE file, std::string& bytes, std::size_t count) {
    while (count > 0) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count, kChunk));
        const std::size_t at = bytes.size();
        bytes.resize(at + want);
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + at, want, &got, nullptr)) {
            bytes.resize(at);
            return false;
        }
        bytes.resize(at + got);
        if (got == 0) {
            break; // the end of the file
        }
        count -= got;
    }
    return true;
}

} // namespace

FileRead SystemPlatform::readFile(const std::string& path, std::size_t maxBytes) {
    // Shared for writing and deleting too, so that a reader never stands in the way of a save.
    const win32::UniqueHandle file(CreateFileW(win32::widen(path).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return {};
        }
        return failedWith(code);
    }
    FileRead result;
    if (!readInto(file.get(), result.bytes, maxBytes)) {
        return failedWith(GetLastError());
    }
    if (result.bytes.size() == maxBytes) {
        std::string beyond;
        if (!readInto(file.get(), beyond, 1)) {
            return failedWith(GetLastError());
        }
        result.truncated = !beyond.empty();
    }
    result.status = FileRead::Status::Read;
    return result;
}

} // namespace hopwick
