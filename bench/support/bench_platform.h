#pragma once

#include "windowless_platform.h"

#include <string>

namespace hopwick::bench {

// The platform under the core's benchmarks: the system's real files, paths, code page 932, program starts
// and shell, a program folder of the benchmark's choosing, and no window. A benchmark that meets a message
// box has left the path it means to measure, so the boxes are kept.
class BenchPlatform : public testing::WindowlessPlatform {
public:
    using WindowlessPlatform::WindowlessPlatform;

    std::string userConfigFolder() override { return programFolder(); }
    // Decoding belongs to the front end and is measured with the window; the core only needs a picture.
    PictureLoad loadPicture(const std::string& path) override;
};

} // namespace hopwick::bench
