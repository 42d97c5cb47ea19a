#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hopwick::posix {

// One Linux program that can stand in for a Windows one.
struct NativeProgram {
    std::string program;                // looked up on PATH
    std::vector<std::string> arguments; // passed as they stand, each as its own argument
    bool opensHomeFolder = false;       // the user's home folder follows the arguments
};

// The stand-ins for a Windows program file, in order of preference, the first one installed wins. nullptr
// when the file is no program of the built-in tools; an empty list when Linux has no equivalent of it.
const std::vector<NativeProgram>* nativeEquivalents(std::string_view programFile);

} // namespace hopwick::posix
