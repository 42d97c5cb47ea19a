// A whole load-save round trip: whatever store a start-up loads is saved silently, a fresh start loads the
// same list and picture path from it without complaint, and saving that again changes no byte.

#include "fuzz_check.h"
#include "memory_store_platform.h"
#include "store_lists.h"

#include "app/main_form.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using hopwick::fuzz::require;
    using hopwick::testing::listShown;
    hopwick::fuzz::MemoryStorePlatform platform;
    platform.setStore(std::string(reinterpret_cast<const char*>(data), size));

    hopwick::MainForm first(platform);
    first.Form_Load();
    require(platform.messages.size() <= 1, "a damaged store is reported once");
    const hopwick::testing::StoredList loaded = listShown(first);
    platform.messages.clear();
    first.SI();
    require(platform.messages.empty(), "what was loaded can be saved");
    const std::string saved = *platform.store();

    hopwick::MainForm second(platform);
    second.Form_Load();
    require(platform.messages.empty(), "a saved store loads without complaint");
    require(listShown(second) == loaded, "a saved store loads the same list and picture path");
    second.SI();
    require(*platform.store() == saved, "saving a loaded store again changes no byte");
    return 0;
}
