#pragma once

#include "platform/windows/path_parts.h"
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <optional>
#include <string>

namespace hopwick::win32 {

// Sets a file's attributes for real, as the user or the system would.
inline bool setAttributes(const std::string& path, DWORD attributes) {
    return SetFileAttributesW(widen(path).c_str(), attributes) != FALSE;
}

inline DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str());
}

// Writes a file at a UTF-8 path, which TempFolder cannot take: its std::filesystem reads narrow names in the
// ANSI code page. Makes the folder it lies in.
void writeFile(const std::string& path, const std::string& bytes);

// The whole content of a file once it has some, waiting up to `seconds` for a program that writes it.
std::optional<std::string> waitForContent(const std::string& path, int seconds);

// The id of a process that has just ended, so that none runs under it; 0 if none could be started.
DWORD endedProcessId();

// The name of the copy that a save of `target` by process `processId` writes beside it; `end` is ".tmp" while
// the copy is unfinished, ".new" once it is whole.
std::string copyName(const std::string& target, DWORD processId, const char* end);

// The folder that holds this test program, and so the helper programs built beside it.
std::string testProgramFolder();

} // namespace hopwick::win32
