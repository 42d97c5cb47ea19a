#pragma once

#include <string_view>

namespace hopwick::win32 {

// The arguments part of a process's command line, as the process got it: the program name (quoted or not) and
// the blanks after it skipped, the rest neither split nor unquoted.
std::wstring_view argumentsOf(std::wstring_view commandLine);

} // namespace hopwick::win32
