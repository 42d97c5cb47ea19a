#include "platform/system_platform.h"
#include "platform/win32/file_lock.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_owners.h"

#include <algorithm>

namespace hopwick {

namespace {

// A save first writes the new content into a copy beside the file (".SIS.hopwick-<pid>.tmp"), and once the
// copy is whole and on the disk renames it to ".SIS.hopwick-<pid>.new". Then it copies it into the file in
// place and removes it. A ".new" whose writer is gone may thus stand beside a file torn mid-copy: the next
// start copies it in again. A ".tmp" whose writer is gone is only an unfinished copy, and goes.
constexpr const wchar_t* kCopyMark = L".hopwick-";
constexpr std::wstring_view kUnfinishedEnd = L".tmp";
constexpr std::wstring_view kCompleteEnd = L".new";
constexpr DWORD kChunk = 1024 * 1024;

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

// A copy's name tells which file it belongs to and which process wrote it.
std::wstring copyPrefix(std::wstring_view targetName) {
    return L"." + std::wstring(targetName) + kCopyMark;
}

std::wstring copyName(std::wstring_view targetName, std::wstring_view end) {
    return copyPrefix(targetName) + std::to_wstring(GetCurrentProcessId()) + std::wstring(end);
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

DWORD writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        if (!WriteFile(file, bytes.data(), want, &written, nullptr)) {
            return GetLastError();
        }
        bytes.remove_prefix(written);
    }
    return ERROR_SUCCESS;
}

DWORD moveTo(HANDLE file, LONGLONG offset) {
    LARGE_INTEGER position{};
    position.QuadPart = offset;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) ? ERROR_SUCCESS : GetLastError();
}

// Writes the whole file and flushes it to the disk; returns the first failure's code.
DWORD writeCopy(const std::wstring& name, std::string_view bytes) {
    const win32::UniqueHandle file(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return GetLastError();
    }
    DWORD failure = writeAll(file.get(), bytes);
    if (failure == ERROR_SUCCESS && !FlushFileBuffers(file.get())) {
        failure = GetLastError();
    }
    return failure;
}

// The whole file, from its first byte; false on a read error, with GetLastError set.
bool readWhole(HANDLE file, std::string& bytes, std::size_t count) {
    bytes.assign(count, '\0');
    std::size_t filled = 0;
    if (moveTo(file, 0) != ERROR_SUCCESS) {
        return false;
    }
    while (filled < count) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - filled, kChunk));
        if (!ReadFile(file, bytes.data() + filled, want, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            bytes.resize(filled);
            break;
        }
        filled += got;
    }
    return true;
}

// Puts `bytes` into the open file in place, flushed. A failure part way puts the old bytes back, so the
// file holds its old content again.
DWORD copyInPlace(HANDLE file, std::string_view bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        return GetLastError();
    }
    std::string old;
    if (!readWhole(file, old, static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, bytes.size())))) {
        return GetLastError();
    }
    DWORD failure = moveTo(file, 0);
    if (failure == ERROR_SUCCESS) {
        failure = writeAll(file, bytes);
    }
    if (failure == ERROR_SUCCESS && !SetEndOfFile(file)) {
        failure = GetLastError();
    }
    if (failure == ERROR_SUCCESS && !FlushFileBuffers(file)) {
        failure = GetLastError();
    }
    if (failure != ERROR_SUCCESS && moveTo(file, 0) == ERROR_SUCCESS && writeAll(file, old) == ERROR_SUCCESS &&
        moveTo(file, size.QuadPart) == ERROR_SUCCESS) {
        SetEndOfFile(file);
        FlushFileBuffers(file);
    }
    return failure;
}

// Whether the process is still there; one that we may not look at belongs to another user and still runs.
bool processRuns(DWORD processId) {
    const win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process.valid()) {
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Calls `visit` with the name of every copy that a save of `targetName` left in `folder`, its kind and writer.
template <typename Visit> void forEachCopy(const std::wstring& folder, std::wstring_view targetName, Visit visit) {
    const std::wstring prefix = copyPrefix(targetName);
    WIN32_FIND_DATAW entry{};
    const win32::SearchHandle search(FindFirstFileExW(win32::joined(folder, prefix + L"*").c_str(), FindExInfoBasic,
                                                      &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search.valid()) {
        return;
    }
    do {
        const std::wstring_view candidate = entry.cFileName;
        const bool complete = candidate.ends_with(kCompleteEnd);
        // The search also matches short names; look at the long one.
        if (!candidate.starts_with(prefix) || (!complete && !candidate.ends_with(kUnfinishedEnd)) ||
            candidate.size() <= prefix.size() + kCompleteEnd.size() ||
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        const std::wstring_view digits = candidate.substr(prefix.size(), candidate.size() - prefix.size() - 4);
        if (digits.size() > 9 || digits.find_first_not_of(L"0123456789") != std::wstring_view::npos) {
            continue;
        }
        visit(win32::joined(folder, candidate), complete, static_cast<DWORD>(std::stoul(std::wstring(digits))));
    } while (FindNextFileW(search.get(), &entry));
}

// Under the file's lock, once a whole content is in it: the complete copies of writers that died are
// out of date, as this content came after them.
void discardOutdatedCopies(const std::wstring& folder, std::wstring_view targetName) {
    forEachCopy(folder, targetName, [](const std::wstring& copy, bool complete, DWORD writer) {
        if (complete && !processRuns(writer)) {
            DeleteFileW(copy.c_str());
        }
    });
}

win32::UniqueHandle openForRewrite(const std::wstring& target) {
    return win32::UniqueHandle(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileWrite rewriteInPlace(HANDLE file, const std::wstring& target, std::string_view bytes) {
    const std::wstring folder = win32::folderOf(target);
    const std::wstring_view name = win32::nameOf(target);
    const std::wstring unfinished = win32::joined(folder, copyName(name, kUnfinishedEnd));
    const std::wstring complete = win32::joined(folder, copyName(name, kCompleteEnd));
    // One under our own process id can only be left from an earlier process that had the same id.
    DeleteFileW(unfinished.c_str());
    DWORD failure = writeCopy(unfinished, bytes);
    if (failure == ERROR_SUCCESS &&
        !MoveFileExW(unfinished.c_str(), complete.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
    }
    if (failure != ERROR_SUCCESS) {
        DeleteFileW(unfinished.c_str());
        return failedWith(failure);
    }
    failure = win32::lockWholeFile(file, LOCKFILE_EXCLUSIVE_LOCK);
    if (failure == ERROR_SUCCESS) {
        failure = copyInPlace(file, bytes);
        if (failure == ERROR_SUCCESS) {
            discardOutdatedCopies(folder, name);
        }
        win32::unlockWholeFile(file);
    }
    DeleteFileW(complete.c_str());
    return failure == ERROR_SUCCESS ? FileWrite{true, {}} : failedWith(failure);
}

// A store that does not exist yet appears whole: its content goes into a new file that is then moved in.
FileWrite createFile(const std::wstring& target, std::string_view bytes) {
    const std::wstring folder = win32::folderOf(target);
    if (const DWORD failure = makeFolders(folder); failure != ERROR_SUCCESS) {
        return failedWith(failure);
    }
    const std::wstring unfinished = win32::joined(folder, copyName(win32::nameOf(target), kUnfinishedEnd));
    DeleteFileW(unfinished.c_str());
    DWORD failure = writeCopy(unfinished, bytes);
    if (failure == ERROR_SUCCESS && !MoveFileExW(unfinished.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
    }
    if (failure != ERROR_SUCCESS) {
        DeleteFileW(unfinished.c_str());
        return failedWith(failure);
    }
    return {true, {}};
}

// Copies a complete copy that a dead writer left into the file, under the file's lock.
void finishCopy(const std::wstring& copy, const std::wstring& target) {
    const win32::UniqueHandle file = openForRewrite(target);
    if (!file.valid()) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            DeleteFileW(copy.c_str()); // the file was removed since: nothing is left to mend
        }
        return;
    }
    if (win32::lockWholeFile(file.get(), LOCKFILE_EXCLUSIVE_LOCK) != ERROR_SUCCESS) {
        return;
    }
    // Another start may have finished it while we waited for the lock.
    const win32::UniqueHandle source(CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    std::string bytes;
    if (source.valid() && GetFileSizeEx(source.get(), &size) &&
        readWhole(source.get(), bytes, static_cast<std::size_t>(size.QuadPart)) &&
        copyInPlace(file.get(), bytes) == ERROR_SUCCESS) {
        DeleteFileW(copy.c_str());
    }
    win32::unlockWholeFile(file.get());
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
    if (!exists) {
        return createFile(target, bytes);
    }
    // A file the user made read-only stays as it is.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return failedWith(ERROR_ACCESS_DENIED);
    }
    const win32::UniqueHandle file = openForRewrite(target);
    if (!file.valid()) {
        return failedWith(GetLastError());
    }
    return rewriteInPlace(file.get(), target, bytes);
}

void SystemPlatform::recoverInterruptedSaves(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const std::wstring target = realTarget(win32::widen(path));
    const std::wstring_view name = win32::nameOf(target);
    if (name.empty()) {
        return;
    }
    forEachCopy(win32::folderOf(target), name, [&target](const std::wstring& copy, bool complete, DWORD writer) {
        if (processRuns(writer)) {
            return;
        }
        if (complete) {
            finishCopy(copy, target);
        } else {
            DeleteFileW(copy.c_str());
        }
    });
}

} // namespace hopwick
