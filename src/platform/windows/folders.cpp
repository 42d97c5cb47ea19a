#include "platform/system_platform.h"
#include "platform/windows/path_parts.h"
#include "platform/windows/system_function.h"
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace hopwick {

namespace {

constexpr const wchar_t* kConfigFolderName = L"Hopwick";
constexpr const wchar_t* kInstalledMarker = L"hopwick.installed";

// Only a store that cannot live beside the program needs them.
const auto kKnownFolderPath = HOPWICK_SYSTEM_FUNCTION(L"shell32.dll", SHGetKnownFolderPath);
const auto kTaskMemFree = HOPWICK_SYSTEM_FUNCTION(L"ole32.dll", CoTaskMemFree);

// The user's roaming application data folder as the shell knows it; empty when it cannot tell.
std::wstring roamingAppData() {
    const auto knownFolderPath = kKnownFolderPath.get();
    const auto taskMemFree = kTaskMemFree.get();
    if (knownFolderPath == nullptr || taskMemFree == nullptr) {
        return {};
    }
    wchar_t* roaming = nullptr;
    std::wstring folder;
    if (SUCCEEDED(knownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming))) {
        folder = roaming;
    }
    taskMemFree(roaming);
    return folder;
}

} // namespace

std::string SystemPlatform::currentDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::narrow(buffer);
        }
        buffer.resize(length); // the size it needs, with the terminating NUL
    }
}

std::string SystemPlatform::programFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return currentDirectory(); // cannot happen for a running program; the best remaining guess
        }
        // A full buffer means the name was cut short.
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::narrow(win32::folderOf(buffer));
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The install step puts the marker beside the program; a copied or unpacked program has none.
bool SystemPlatform::isInstalledCopy() {
    const DWORD attributes =
        GetFileAttributesW(win32::longForm(win32::joined(win32::widen(programFolder()), kInstalledMarker)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SystemPlatform::userConfigFolder() {
    std::wstring folder = roamingAppData();
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); folder.empty() && appData != nullptr) {
        folder = appData;
    }
    return folder.empty() ? std::string() : win32::narrow(win32::joined(folder, kConfigFolderName));
}

std::string SystemPlatform::joinPath(const std::string& folder, const std::string& name) {
    return win32::narrow(win32::joined(win32::widen(folder), win32::widen(name)));
}

} // namespace hopwick
