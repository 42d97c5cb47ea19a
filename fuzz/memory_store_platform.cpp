#include "memory_store_platform.h"

namespace hopwick::fuzz {

std::optional<std::string> MemoryStorePlatform::store() const {
    const testing::MemoryWorld::File* file = world_.fileAt("/hopwick", "SIS");
    return file == nullptr ? std::nullopt : std::optional<std::string>(file->bytes);
}

StorePlace MemoryStorePlatform::openStorePlace(const std::string& path, bool) {
    StorePlace place;
    place.name = "SIS";
    place.folder = path == "/hopwick/SIS" ? world_.open("/hopwick") : nullptr;
    place.error = place.folder ? "" : "not the store";
    return place;
}

} // namespace hopwick::fuzz
