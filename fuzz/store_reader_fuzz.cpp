// The store reader on any bytes: it ends, reads at most a record's fields, and gives only texts that the
// list can show and the writer can store again.

#include "fuzz_check.h"
#include "windowless_platform.h"

#include "store/store_encoding.h"
#include "store/store_record.h"
#include "store/utf8.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using hopwick::fuzz::require;
    static hopwick::testing::WindowlessPlatform platform("/nonexistent");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const hopwick::DecodedStore store = hopwick::decodeStore(platform, bytes);
    require(store.texts.size() <= static_cast<std::size_t>(hopwick::kStoreFields), "at most 41 fields are read");
    const bool asBytes = bytes.starts_with(hopwick::kBytesMark);
    for (const std::string& text : store.texts) {
        require(text.find('"') == std::string::npos, "no text holds a double quote");
        require(text.find('\0') == std::string::npos, "no text holds a NUL");
        require(asBytes || hopwick::isValidUtf8(text), "texts are UTF-8 unless the store keeps bytes");
    }

    // What was read is written and read back alike, and the written store is sound.
    std::vector<std::string> fields = store.texts;
    fields.resize(hopwick::kStoreFields);
    const hopwick::DecodedStore again = hopwick::decodeStore(platform, hopwick::encodeStore(platform, fields));
    require(!again.damaged, "a written store reads back undamaged");
    require(again.texts == fields, "a written store reads back the same texts");
    return 0;
}
