#pragma once

#include <string_view>

namespace hopwick::win32 {

// The arguments part of a process's command line, as the process got it: the program name (quoted or not) and
// the blanks after it skipped, the rest neither split nor unquoted.
std::wstring_view argumentsOf(std::wstring_view commandLine);

// The path that the arguments name. Explorer passes a path with blanks in double quotes (a file dropped on the
// program, "Open with", Send To); no path holds a quote, so arguments that are one quoted string lose their
// quotes. Any other arguments are the path whole, as typed.
std::wstring_view commandLinePathOf(std::wstring_view arguments);

} // namespace hopwick::win32
