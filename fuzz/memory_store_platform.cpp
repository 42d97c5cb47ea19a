#include "memory_store_platform.h"

namespace hopwick::fuzz {

FileRead MemoryStorePlatform::readFile(const std::string& path, std::size_t maxBytes) {
    FileRead read;
    if (!isStore(path) || !store) {
        return read;
    }
    read.status = FileRead::Status::Read;
    read.bytes = store->substr(0, maxBytes);
    read.truncated = store->size() > maxBytes;
    return read;
}

FileWrite MemoryStorePlatform::replaceFile(const std::string& path, std::string_view bytes) {
    if (!isStore(path)) {
        return {false, "not the store"};
    }
    store = std::string(bytes);
    return {true, {}};
}

} // namespace hopwick::fuzz
