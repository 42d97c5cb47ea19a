#pragma once

#include <string>

namespace hopwick::posix {

struct LinkTarget {
    std::string path;  // the name that a write really lands on
    std::string error; // why the links cannot be followed; empty when they can
};

// The file that `path` names once its symbolic links are followed, also a dangling one, whose target is then
// named. Like the kernel's protected_symlinks, but whatever that setting says, a link in a sticky folder that
// anyone may write is followed only when it belongs to us or to the folder's owner: another user could
// otherwise point our store at any file of ours.
LinkTarget followLinks(const std::string& path);

} // namespace hopwick::posix
