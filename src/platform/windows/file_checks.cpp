#include "platform/system_platform.h"
#include "platform/windows/path_parts.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"

#include <atomic>
#include <string>

namespace hopwick {

bool SystemPlatform::isOrdinaryFile(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(win32::longForm(win32::widen(path)).c_str());
    constexpr DWORD kNotOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotOrdinary) == 0;
}

namespace {

// Fills `volume` and `index` from the file or folder at `path`; false when nothing is there.
bool identify(const std::wstring& path, std::uint64_t& volume, std::uint64_t& index) {
    const win32::UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &information)) {
        return false;
    }
    volume = information.dwVolumeSerialNumber;
    index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

} // namespace

FileIdentity SystemPlatform::identifyFile(const std::string& path) {
    FileIdentity identity;
    if (path.empty()) {
        return identity;
    }
    const std::wstring widePath = win32::longForm(win32::widen(path));
    identity.present = identify(widePath, identity.volume, identity.index);
    identity.folderPresent = identify(win32::folderOf(widePath), identity.folderVolume, identity.folderIndex);
    return identity;
}

bool SystemPlatform::isWritableFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    // Permissions on Windows are too many things to work out (ACLs, read-only media, virtualisation): try it.
    // The file goes away when its handle is closed, also when the process dies holding it.
    static std::atomic<unsigned> counter{0};
    const std::wstring wideFolder = win32::longForm(win32::widen(folder));
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring probe =
            win32::joined(wideFolder, L".hopwick-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                          std::to_wstring(counter++) + L".tmp");
        const win32::UniqueHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file.valid()) {
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

} // namespace hopwick
