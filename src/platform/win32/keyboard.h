#pragma once

#include <cstdint>

namespace hopwick::win32 {

// The modifier keys held now, as the key handlers take them: 1 Shift, 2 Ctrl, 4 Alt.
int16_t shiftState();

} // namespace hopwick::win32
