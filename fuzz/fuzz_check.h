#pragma once

#include <cstdio>
#include <cstdlib>

namespace hopwick::fuzz {

// A broken promise of the code under test: reported, then a crash that the fuzzer keeps as an artifact.
inline void require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", promise);
        std::abort();
    }
}

} // namespace hopwick::fuzz
