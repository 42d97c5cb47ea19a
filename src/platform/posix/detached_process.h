#pragma once

#include <string>
#include <vector>

namespace hopwick::posix {

// The absolute path of the executable file that `program` names: itself when it holds a '/', otherwise the
// first match in the folders of PATH. "" when there is none.
std::string findProgram(const std::string& program);

// Runs `executable` with `arguments` (arguments[0] is the program's own name) in `folder` ("" for the current
// one), never through a shell. Returns once the program has replaced the child, without waiting for it; the
// program runs in its own process group and is reaped as it ends, so no zombie stays behind. Returns 0 on
// success, or the errno of what failed (fork, chdir, exec).
int startDetached(const std::string& executable, const std::vector<std::string>& arguments, const std::string& folder);

} // namespace hopwick::posix
