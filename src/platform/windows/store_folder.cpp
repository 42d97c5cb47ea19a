#include "platform/store_folder.h"

#include "platform/system_platform.h"
#include "platform/windows/file_lock.h"
#include "platform/windows/file_read.h"
#include "platform/windows/path_parts.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"

#include <aclapi.h>
#include <algorithm>
#include <cwctype>
#include <vector>

namespace hopwick {

namespace {

constexpr DWORD kChunk = 1024 * 1024;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string failure(DWORD code) {
    return code == ERROR_SUCCESS ? std::string() : win32::systemMessage(code);
}

// The path of an open file or folder, links and junctions resolved, in the "\\?\" form that every call below
// takes at any length; a path longer than the first buffer asks again with the length the system named.
// Empty when the system cannot tell it: Wine answers ERROR_MORE_DATA beyond 260 characters at any size.
std::wstring finalPath(HANDLE handle) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length); // the size it needs, with the terminating NUL
    }
}

// The path of an open file or folder within its volume ("\folder\SIS"), which Wine tells at any length too.
std::wstring pathInVolume(HANDLE handle) {
    constexpr std::size_t kLongestPath = 32768; // characters, the system's own limit
    std::vector<unsigned char> buffer(sizeof(FILE_NAME_INFO) + kLongestPath * sizeof(wchar_t));
    auto* name = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
    if (!GetFileInformationByHandleEx(handle, FileNameInfo, name, static_cast<DWORD>(buffer.size()))) {
        return {};
    }
    return std::wstring(name->FileName, name->FileNameLength / sizeof(wchar_t));
}

bool samePath(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

// The owner of the open file is the user that runs the program.
bool ownedByUser(HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    bool same = false;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<unsigned char> user(size);
        if (size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size)) {
            same = EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid) != FALSE;
        }
        CloseHandle(token);
    }
    LocalFree(descriptor);
    return same;
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

class Win32FolderFile final : public FolderFile {
public:
    // Takes over the open handle.
    Win32FolderFile(HANDLE file, const BY_HANDLE_FILE_INFORMATION& information)
        : file_(file), information_(information) {}

    std::uint64_t volume() override { return information_.dwVolumeSerialNumber; }
    std::uint64_t index() override {
        return (static_cast<std::uint64_t>(information_.nFileIndexHigh) << 32) | information_.nFileIndexLow;
    }
    std::string lock(bool exclusive) override {
        return failure(win32::lockWholeFile(file_.get(), exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0));
    }
    void unlock() override { win32::unlockWholeFile(file_.get()); }
    FileRead read(std::size_t maxBytes) override {
        if (const DWORD code = moveTo(file_.get(), 0); code != ERROR_SUCCESS) {
            FileRead failed;
            failed.status = FileRead::Status::Failed;
            failed.error = failure(code);
            return failed;
        }
        return win32::readOpenFile(file_.get(), maxBytes);
    }
    // A failure part way puts the old bytes back, so the file holds its old content again.
    std::string rewrite(std::string_view bytes) override {
        const HANDLE file = file_.get();
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size)) {
            return failure(GetLastError());
        }
        const FileRead old = read(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, bytes.size())));
        if (old.status != FileRead::Status::Read) {
            return old.error;
        }
        DWORD code = moveTo(file, 0);
        if (code == ERROR_SUCCESS) {
            code = writeAll(file, bytes);
        }
        if (code == ERROR_SUCCESS && !SetEndOfFile(file)) {
            code = GetLastError();
        }
        if (code == ERROR_SUCCESS && !FlushFileBuffers(file)) {
            code = GetLastError();
        }
        if (code != ERROR_SUCCESS && moveTo(file, 0) == ERROR_SUCCESS && writeAll(file, old.bytes) == ERROR_SUCCESS &&
            moveTo(file, size.QuadPart) == ERROR_SUCCESS) {
            SetEndOfFile(file);
            FlushFileBuffers(file);
        }
        return failure(code);
    }

private:
    win32::UniqueHandle file_;
    BY_HANDLE_FILE_INFORMATION information_;
};

// The folder stays open (shared for deleting and renaming, so that the user can still move or remove it).
// Windows offers no open relative to a folder handle outside the native API, so every file is opened without
// following a link and then checked, on its own handle, to lie in the folder that was opened.
class Win32StoreFolder final : public StoreFolder {
public:
    // Takes over the open handle.
    Win32StoreFolder(HANDLE folder, std::wstring path, const BY_HANDLE_FILE_INFORMATION& information)
        : folder_(folder), path_(std::move(path)), information_(information) {}

    bool inPlace() override {
        const win32::UniqueHandle now(
            CreateFileW(path_.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION information{};
        return now.valid() && GetFileInformationByHandle(now.get(), &information) &&
               information.dwVolumeSerialNumber == information_.dwVolumeSerialNumber &&
               information.nFileIndexHigh == information_.nFileIndexHigh &&
               information.nFileIndexLow == information_.nFileIndexLow;
    }
    std::uint64_t volume() override { return information_.dwVolumeSerialNumber; }
    std::uint64_t index() override {
        return (static_cast<std::uint64_t>(information_.nFileIndexHigh) << 32) | information_.nFileIndexLow;
    }

    FolderEntry look(const std::string& name) override {
        FolderEntry entry;
        const win32::UniqueHandle file(openEntry(name, READ_CONTROL | FILE_READ_ATTRIBUTES));
        if (!file.valid()) {
            const DWORD code = GetLastError();
            const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
            entry.kind = missing ? FolderEntry::Kind::Missing : FolderEntry::Kind::Failed;
            entry.error = missing ? std::string() : failure(code);
            return entry;
        }
        BY_HANDLE_FILE_INFORMATION information{};
        if (!GetFileInformationByHandle(file.get(), &information)) {
            entry.kind = FolderEntry::Kind::Failed;
            entry.error = failure(GetLastError());
            return entry;
        }
        const DWORD attributes = information.dwFileAttributes;
        const bool ordinary = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
        entry.kind = ordinary && inFolder(file.get()) ? FolderEntry::Kind::File : FolderEntry::Kind::Other;
        entry.volume = information.dwVolumeSerialNumber;
        entry.index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
        entry.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        entry.ownedByUser = ownedByUser(file.get());
        return entry;
    }

    std::unique_ptr<FolderFile> open(const std::string& name, bool forWriting, std::string& error) override {
        auto file =
            std::make_unique<win32::UniqueHandle>(openEntry(name, GENERIC_READ | (forWriting ? GENERIC_WRITE : 0)));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!file->valid() || !GetFileInformationByHandle(file->get(), &information)) {
            error = failure(GetLastError());
            return nullptr;
        }
        // A file the user made read-only stays as it is.
        const DWORD refused =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | (forWriting ? FILE_ATTRIBUTE_READONLY : 0);
        if ((information.dwFileAttributes & refused) != 0 || !inFolder(file->get())) {
            error = failure(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        const HANDLE handle = file->get();
        file.release(); // the open file owns the handle from here on
        return std::make_unique<Win32FolderFile>(handle, information);
    }

    std::string create(const std::string& name, std::string_view bytes, bool) override {
        const std::wstring path = pathOf(name);
        // One under our own process id can only be left from an earlier process that had the same id.
        DeleteFileW(path.c_str());
        const win32::UniqueHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            return failure(GetLastError());
        }
        DWORD code = inFolder(file.get()) ? writeAll(file.get(), bytes) : ERROR_ACCESS_DENIED;
        if (code == ERROR_SUCCESS && !FlushFileBuffers(file.get())) {
            code = GetLastError();
        }
        if (code != ERROR_SUCCESS) {
            DeleteFileW(path.c_str());
        }
        return failure(code);
    }

    std::string rename(const std::string& from, const std::string& to, bool replace) override {
        const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        return MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(), flags) ? std::string() : failure(GetLastError());
    }

    void remove(const std::string& name) override { DeleteFileW(pathOf(name).c_str()); }

    std::vector<std::string> names() override {
        std::vector<std::string> found;
        WIN32_FIND_DATAW entry{};
        const win32::SearchHandle search(
            FindFirstFileExW(pathOf("*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
        if (search.valid()) {
            do {
                found.push_back(win32::narrow(entry.cFileName));
            } while (FindNextFileW(search.get(), &entry));
        }
        return found;
    }

    std::uint64_t processId() override { return GetCurrentProcessId(); }
    // One that we may not look at belongs to another user and still runs.
    bool processGone(std::uint64_t processId) override {
        const win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
        if (!process.valid()) {
            return GetLastError() == ERROR_INVALID_PARAMETER;
        }
        return WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT;
    }

private:
    // The folder as it is named now: where the opened folder stands, so that a folder moved meanwhile is
    // still the one that is reached, never another one put at its old path.
    std::wstring pathOf(const std::string& name) {
        std::wstring folder = finalPath(folder_.get());
        return win32::joined(folder.empty() ? path_ : folder, win32::widen(name));
    }
    HANDLE openEntry(const std::string& name, DWORD access) {
        return CreateFileW(pathOf(name).c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    }
    // Compared by final paths where the system tells them both, else by the paths within the volume.
    bool inFolder(HANDLE file) {
        if (const std::wstring path = finalPath(file), folder = finalPath(folder_.get());
            !path.empty() && !folder.empty()) {
            return samePath(win32::folderOf(path), folder);
        }
        BY_HANDLE_FILE_INFORMATION information{};
        const std::wstring path = pathInVolume(file);
        const std::wstring folder = pathInVolume(folder_.get());
        return GetFileInformationByHandle(file, &information) &&
               information.dwVolumeSerialNumber == information_.dwVolumeSerialNumber && !path.empty() &&
               !folder.empty() && samePath(win32::folderOf(path), folder);
    }

    win32::UniqueHandle folder_;
    std::wstring path_;
    BY_HANDLE_FILE_INFORMATION information_;
};

// The file that `path` names once links and junctions are followed, where one stands there already.
std::wstring realTarget(const std::wstring& path) {
    const win32::UniqueHandle file(
        CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        return path;
    }
    const std::wstring target = finalPath(file.get());
    return target.empty() ? path : target;
}

// Not std::filesystem::create_directories: under mingw it asks the C runtime's _wstat64, which takes no "\\?\" path.
DWORD makeFolders(const std::wstring& folder) {
    if (folder.empty()) {
        return ERROR_SUCCESS;
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? ERROR_SUCCESS : ERROR_DIRECTORY;
    }
    if (const std::wstring parent = win32::folderOf(folder); !parent.empty() && parent != folder) {
        if (const DWORD code = makeFolders(parent); code != ERROR_SUCCESS) {
            return code;
        }
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

} // namespace

StorePlace SystemPlatform::openStorePlace(const std::string& path, bool makeFolder) {
    StorePlace place;
    if (path.empty()) {
        place.error = failure(ERROR_PATH_NOT_FOUND);
        return place;
    }
    const std::wstring target = realTarget(win32::longForm(win32::widen(path)));
    place.name = win32::narrow(win32::nameOf(target));
    const std::wstring folder = win32::folderOf(target);
    if (place.name.empty() || folder.empty()) {
        place.error = failure(ERROR_ACCESS_DENIED);
        return place;
    }
    if (makeFolder) {
        if (const DWORD code = makeFolders(folder); code != ERROR_SUCCESS) {
            place.error = failure(code);
            return place;
        }
    }
    const HANDLE handle = CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION information{};
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information)) {
        const DWORD code = GetLastError();
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
        place.missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        place.error = failure(code);
        return place;
    }
    place.folder = std::make_unique<Win32StoreFolder>(handle, folder, information);
    return place;
}

} // namespace hopwick
