#include "platform/win32/open_dialog.h"

#include "platform/win32/win32_platform.h"
#include "platform/windows/ole_on_demand.h"
#include "platform/windows/path_parts.h"
#include "platform/windows/system_function.h"
#include "platform/windows/wide_text.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

namespace hopwick::win32 {

namespace {

// Long enough for any path the dialog can return.
constexpr std::size_t kFileNameCapacity = 32768;

const auto kGetOpenFileName = HOPWICK_SYSTEM_FUNCTION(L"comdlg32.dll", GetOpenFileNameW);
const auto kExtendedError = HOPWICK_SYSTEM_FUNCTION(L"comdlg32.dll", CommDlgExtendedError);

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + 1);
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Each of the ";"-separated patterns without its blanks.
std::string trimmedPatterns(std::string_view patterns) {
    std::string result;
    for (const std::string_view pattern : split(patterns, ';')) {
        if (!result.empty()) {
            result += ';';
        }
        result += trimmed(pattern);
    }
    return result;
}

// Why the last dialog failed, 0 when it was cancelled.
DWORD dialogError() {
    const auto extendedError = kExtendedError.get();
    return extendedError != nullptr ? extendedError() : 0;
}

// The dialog with `initial` as its starting name; the chosen path, or nothing when it was cancelled or failed.
std::optional<std::wstring> runDialog(HWND owner, const std::wstring& filter, DWORD flags, std::wstring_view initial) {
    const auto getOpenFileName = kGetOpenFileName.get();
    if (getOpenFileName == nullptr) {
        return std::nullopt;
    }
    std::wstring file(kFileNameCapacity, L'\0');
    if (initial.size() < file.size()) {
        file.replace(0, initial.size(), initial);
    }
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.Flags = flags;
    if (!getOpenFileName(&request)) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    return file;
}

} // namespace

std::wstring dialogFilter(std::string_view filter) {
    const std::vector<std::string_view> parts = split(filter, '|');
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        result += parts[i];
        result += '\0';
        result += trimmedPatterns(parts[i + 1]);
        result += '\0';
    }
    result += '\0';
    return widen(result);
}

std::optional<std::string> Win32Platform::showOpenDialog(const OpenDialogRequest& request) {
    const std::wstring filter = dialogFilter(request.filter);
    const DWORD flags = static_cast<DWORD>(request.flags);
    // The dialog's view of the shell works through OLE.
    needOle();
    std::optional<std::wstring> chosen = runDialog(owner(), filter, flags, widen(request.fileName));
    // A kept name that the dialog refuses to start from (a folder gone since) must not make it unusable.
    if (!chosen && dialogError() == FNERR_INVALIDFILENAME) {
        chosen = runDialog(owner(), filter, flags, {});
    }
    if (!chosen) {
        return std::nullopt;
    }
    // The dialog moves the current directory as it browses; make sure it ends in the chosen file's folder,
    // which the launch takes as its working folder.
    SetCurrentDirectoryW(folderOf(*chosen).c_str());
    return narrow(*chosen);
}

} // namespace hopwick::win32
