#pragma once

#include <string>
#include <string_view>

namespace hopwick {

bool isValidUtf8(std::string_view text);
// The text with every byte that is not part of a valid UTF-8 sequence replaced by U+FFFD.
std::string repairUtf8(std::string_view text);

} // namespace hopwick
