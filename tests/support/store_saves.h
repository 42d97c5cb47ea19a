#pragma once

#include "platform/system_services.h"

#include <string>
#include <string_view>

namespace hopwick::testing {

struct FileWrite {
    bool written = false;
    std::string error; // why the file could not be written; empty when it was
};

// A save and a recovery of the file at `path` as the store makes them, through the platform's opened
// folder; the save takes the file that stands there now as the one it may write.
FileWrite replaceFile(SystemServices& platform, const std::string& path, std::string_view bytes);
void recoverInterruptedSaves(SystemServices& platform, const std::string& path);

} // namespace hopwick::testing
