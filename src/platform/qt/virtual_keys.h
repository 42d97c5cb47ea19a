#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>

namespace hopwick {

// The Windows virtual-key code of a Qt key, as the key handlers expect it; 0 for a key that has none here.
int16_t virtualKeyCode(int qtKey);
// The modifier bits of the key handlers: 1 Shift, 2 Ctrl, 4 Alt.
int16_t shiftState(Qt::KeyboardModifiers modifiers);

} // namespace hopwick
