#include "store/unflushed_platform.h"

#include <fstream>

namespace hopwick::bench {

FileWrite UnflushedPlatform::replaceFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? FileWrite{true, {}} : FileWrite{false, "cannot write " + path};
}

} // namespace hopwick::bench
