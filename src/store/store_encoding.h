#pragma once

#include "platform/system_services.h"

#include <string>
#include <string_view>
#include <vector>

namespace hopwick {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// Begins a store whose texts are kept as the bytes they are: names that are no valid UTF-8, which Linux
// allows. Only this mark makes such bytes a name; in a store marked as UTF-8 they are damage.
inline constexpr std::string_view kBytesMark = "\xEF\xBB\xBF#bytes\r\n";

// The store's bytes for these texts: code page 932 when every text comes back unchanged from it, so that
// the file moves between systems as it always has; otherwise UTF-8 after a byte order mark, so that
// nothing is lost; and for texts that are not all valid UTF-8, their bytes after the bytes mark.
std::string encodeStore(SystemServices& platform, const std::vector<std::string>& texts);

struct DecodedStore {
    std::vector<std::string> texts;
    bool damaged = false;
};

// Reads the fields of a store in the encoding that it was written in; bytes that are not valid text are
// replaced and make the store count as damaged.
DecodedStore decodeStore(SystemServices& platform, std::string_view bytes);

} // namespace hopwick
