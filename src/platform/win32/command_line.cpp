#include "platform/win32/command_line.h"

namespace hopwick::win32 {

// Not CommandLineToArgvW: it splits an unquoted path at its blanks and reads \" as a quote; the rest is one path.
std::wstring_view argumentsOf(std::wstring_view commandLine) {
    std::size_t end;
    if (commandLine.starts_with(L'"')) {
        // A quoted program name runs to the next quote; it holds no escapes, as no file name has a quote.
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        end = end == std::wstring_view::npos ? commandLine.size() : end;
    }
    const std::size_t arguments = commandLine.find_first_not_of(L" \t", end);
    return arguments == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(arguments);
}

std::wstring_view commandLinePathOf(std::wstring_view arguments) {
    const bool oneQuotedString = arguments.size() >= 2 && arguments.front() == L'"' && arguments.back() == L'"' &&
                                 arguments.find(L'"', 1) == arguments.size() - 1;
    return oneQuotedString ? arguments.substr(1, arguments.size() - 2) : arguments;
}

} // namespace hopwick::win32
