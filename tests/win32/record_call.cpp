// A stand-in program for the start tests: it writes how it was started (its command line, its current directory
// and the show command it was given) to the file that HOPWICK_RECORD_FILE names, in UTF-8, complete or not at all.
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t target[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"HOPWICK_RECORD_FILE", target, MAX_PATH) == 0) {
        return 2;
    }
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const std::wstring show =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? std::to_wstring(startup.wShowWindow) : L"none";
    const std::string record = hopwick::win32::narrow(std::wstring(L"command=") + GetCommandLineW() + L"\nfolder=" +
                                                      folder + L"\nshow=" + show + L"\n");

    const std::wstring partial = std::wstring(target) + L".partial";
    const HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 3;
    }
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
