#include "platform/system_platform.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

#include <algorithm>

namespace hopwick {

namespace {

constexpr const wchar_t* kTemporaryMark = L".hopwick-";
constexpr const wchar_t* kTemporaryEnd = L".tmp";
constexpr DWORD kChunk = 1024 * 1024;
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

FileWrite failedWith(DWORD code) {
    return {false, win32::systemMessage(code)};
}

// The file that a write to `path` really lands in: for an existing file its final path, symbolic links and
// junctions followed; a missing file is written where it is named. Empty when an existing name cannot be
// followed (a link to nothing), with GetLastError set.
std::wstring realTarget(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return path;
    }
    const win32::UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        return {};
    }
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length); // "\\?\" form, which every call below takes
            return buffer;
        }
        buffer.resize(length);
    }
}

// The temporary file's name tells which target it belongs to and which process wrote it.
std::wstring temporaryPrefix(std::wstring_view targetName) {
    return L"." + std::wstring(targetName) + kTemporaryMark;
}

DWORD makeFolders(const std::wstring& folder) {
    if (folder.empty()) {
        return ERROR_SUCCESS;
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? ERROR_SUCCESS : ERROR_DIRECTORY;
    }
    if (const std::wstring parent = win32::folderOf(folder); !parent.empty() && parent != folder) {
        if (const DWORD failure = makeFolders(parent); failure != ERROR_SUCCESS) {
            return failure;
        }
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

// Writes the whole temporary file and flushes it to the disk; returns the first failure's code.
DWORD writeTemporary(const std::wstring& temporary, std::string_view bytes) {
    const win32::UniqueHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return GetLastError();
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        if (!WriteFile(file.get(), bytes.data(), want, &written, nullptr)) {
            return GetLastError();
        }
        bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(file.get())) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

// Whether the process is still there; one that we may not look at belongs to another user and still runs.
bool processRuns(DWORD processId) {
    const win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process.valid()) {
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

} // namespace

FileWrite SystemPlatform::replaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return failedWith(ERROR_PATH_NOT_FOUND);
    }
    const std::wstring target = realTarget(win32::widen(path));
    if (target.empty()) {
        return failedWith(GetLastError());
    }
    const std::wstring_view name = win32::nameOf(target);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND) {
        return failedWith(GetLastError());
    }
    if (name.empty() || (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) {
        return failedWith(ERROR_ACCESS_DENIED); // what the system answers for a folder opened as a file
    }
    // A file the user made read-only stays as it is, as a write to it in place would fail.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return failedWith(ERROR_ACCESS_DENIED);
    }
    const std::wstring folder = win32::folderOf(target);
    if (!exists) {
        if (const DWORD failure = makeFolders(folder); failure != ERROR_SUCCESS) {
            return failedWith(failure);
        }
    }

    const std::wstring temporary =
        win32::joined(folder, temporaryPrefix(name) + std::to_wstring(GetCurrentProcessId()) + kTemporaryEnd);
    // One under our own process id can only be left from an earlier process that had the same id.
    DeleteFileW(temporary.c_str());
    DWORD failure = writeTemporary(temporary, bytes);
    // The new content takes the old file's attributes (a hidden store stays hidden) before it moves in.
    if (failure == ERROR_SUCCESS && exists && !SetFileAttributesW(temporary.c_str(), attributes & kKeptAttributes)) {
        failure = GetLastError();
    }
    if (failure == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
    }
    if (failure != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        return failedWith(failure);
    }
    return {true, {}};
}

void SystemPlatform::removeStaleTemporaries(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const std::wstring target = realTarget(win32::widen(path));
    const std::wstring_view name = win32::nameOf(target);
    if (name.empty()) {
        return;
    }
    const std::wstring folder = win32::folderOf(target);
    const std::wstring prefix = temporaryPrefix(name);
    const std::wstring_view end = kTemporaryEnd;
    WIN32_FIND_DATAW entry{};
    const win32::SearchHandle search(FindFirstFileExW(win32::joined(folder, prefix + L"*" + kTemporaryEnd).c_str(),
                                                      FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search.valid()) {
        return;
    }
    do {
        const std::wstring_view candidate = entry.cFileName;
        // The search also matches short names; look at the long one.
        if (candidate.size() <= prefix.size() + end.size() || !candidate.starts_with(prefix) ||
            !candidate.ends_with(end) || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        const std::wstring_view digits = candidate.substr(prefix.size(), candidate.size() - prefix.size() - end.size());
        if (digits.size() > 9 || digits.find_first_not_of(L"0123456789") != std::wstring_view::npos) {
            continue;
        }
        const DWORD writer = std::stoul(std::wstring(digits));
        if (!processRuns(writer)) {
            DeleteFileW(win32::joined(folder, candidate).c_str());
        }
    } while (FindNextFileW(search.get(), &entry));
}

} // namespace hopwick
