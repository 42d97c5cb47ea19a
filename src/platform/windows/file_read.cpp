#include "platform/windows/file_read.h"
#include "platform/system_platform.h"
#include "platform/windows/file_lock.h"
#include "platform/windows/path_parts.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"

#include <algorithm>

namespace hopwick {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kMaxRead = 1 << 30; // the most that one ReadFile is asked for

FileRead failedWith(DWORD code) {
    FileRead result;
    result.status = FileRead::Status::Failed;
    result.error = win32::systemMessage(code);
    return result;
}

// Reads up to `count` bytes onto the end of `bytes`; false on a read error, with GetLastError set.
bool readInto(HANDLE file, std::string& bytes, std::size_t count) {
    while (count > 0) {
        // Into the room reserved already, else a chunk at a time.
        const std::size_t room = bytes.capacity() - bytes.size();
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(count, room > 0 ? std::min(room, kMaxRead) : kChunk));
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
    const win32::UniqueHandle file(CreateFileW(win32::longForm(win32::widen(path)).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return {};
        }
        return failedWith(code);
    }
    // A save copies its content in under an exclusive lock: with a shared one we read a whole content.
    // A lock that never comes is no save; the file is read as it is.
    const bool locked = win32::lockWholeFile(file.get(), 0) == ERROR_SUCCESS;
    FileRead result = win32::readOpenFile(file.get(), maxBytes);
    if (locked) {
        win32::unlockWholeFile(file.get());
    }
    return result;
}

FileRead win32::readOpenFile(HANDLE file, std::size_t maxBytes) {
    FileRead result;
    // Room for the whole file at once where its size is known: under Wine every read is a call into the
    // server's world, and a picture came in sixty-four kilobytes at a time.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        // One byte more, for the read that finds the end.
        result.bytes.reserve(
            static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, static_cast<LONGLONG>(maxBytes))) + 1);
    }
    if (!readInto(file, result.bytes, maxBytes)) {
        return failedWith(GetLastError());
    }
    if (result.bytes.size() == maxBytes) {
        std::string beyond;
        if (!readInto(file, beyond, 1)) {
            return failedWith(GetLastError());
        }
        result.truncated = !beyond.empty();
    }
    result.status = FileRead::Status::Read;
    return result;
}

} // namespace hopwick
