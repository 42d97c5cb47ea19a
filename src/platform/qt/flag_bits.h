#pragma once

#include <initializer_list>
#include <utility>

namespace hopwick {

// Qt's flags as the handlers' bit sets: each Qt flag that is set adds its bit.
template <typename Flags, typename Flag> int bitsOf(Flags flags, std::initializer_list<std::pair<Flag, int>> bits) {
    int result = 0;
    for (const auto& [flag, bit] : bits) {
        if (flags & flag) {
            result |= bit;
        }
    }
    return result;
}

} // namespace hopwick
