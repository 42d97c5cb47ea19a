#pragma once

#include "support/bench_platform.h"

namespace hopwick::bench {

// Saves as a plain overwrite in place, with no copy, rename or flush to disk: what a save costs when
// durability is not asked for, to set beside the program's own atomic, flushed replacement.
class UnflushedPlatform final : public BenchPlatform {
public:
    using BenchPlatform::BenchPlatform;
    StorePlace openStorePlace(const std::string& path, bool makeFolder) override;
};

} // namespace hopwick::bench
