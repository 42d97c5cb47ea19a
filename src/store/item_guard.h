#pragma once

#include <string_view>

namespace hopwick {

// No file name holds a NUL: the system would see only the part before it, so a text with one names nothing.
bool namesNothing(std::string_view path);

// Why a store field cannot hold this text (a double quote would end the field early, a NUL names nothing):
// the prompt that refuses it, or null when it can be stored.
const char* unstorableReason(std::string_view path);

} // namespace hopwick
