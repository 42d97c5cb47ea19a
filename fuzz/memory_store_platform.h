#pragma once

#include "memory_folder.h"
#include "windowless_platform.h"

#include <optional>
#include <string>

namespace hopwick::fuzz {

// The quiet platform with the store in memory, so that a fuzzer runs thousands of start-ups a second.
class MemoryStorePlatform final : public testing::WindowlessPlatform {
public:
    MemoryStorePlatform() : WindowlessPlatform("/hopwick") { folder_ = world_.makeFolder("/hopwick"); }

    // The store's bytes; nothing when there is none.
    std::optional<std::string> store() const;
    void setStore(std::string bytes) { world_.putFile(folder_, "SIS", std::move(bytes)); }

    bool isWritableFolder(const std::string&) override { return true; }
    bool isInstalledCopy() override { return false; }
    StorePlace openStorePlace(const std::string& path, bool makeFolder) override;

private:
    testing::MemoryWorld world_;
    std::uint64_t folder_ = 0;
};

} // namespace hopwick::fuzz
