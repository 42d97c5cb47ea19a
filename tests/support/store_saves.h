#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

namespace hopwick::testing {

// A save and a recovery of the file at `path` as the store makes them, through the platform's opened
// folder; the save takes the file that stands there now as the one it may write.
FileWrite replaceFile(Platform& platform, const std::string& path, std::string_view bytes);
void recoverInterruptedSaves(Platform& platform, const std::string& path);

} // namespace hopwick::testing
