#pragma once

#include "platform/store_folder.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hopwick {

// Far more than 41 of the longest paths take; a larger file is read only this far, so that a damaged
// store of any size is read in bounded memory and time. A save never writes more than a load reads.
inline constexpr std::size_t kStoreReadLimit = 4 * 1024 * 1024;

// Which ordinary file of the folder the store is; nothing when there is none yet.
struct StoreKey {
    bool present = false;
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const StoreKey&) const = default;
};

struct StoreSave {
    bool written = false;
    std::string error; // why nothing was written
    StoreKey key;      // the store after a save: a new file when the save created it
};

// Writes `bytes` as the store `name` of `folder`, which must still be where it was opened and must hold
// `expected` under that name, checked on the opened file itself before a byte is written; a store removed
// meanwhile is made anew. A crash or a full disk leaves the old content or the new one, never a mix: the
// content goes first into an unfinished copy beside the store (".<name>.hopwick-<pid>.tmp"), which once whole
// and flushed is renamed to a complete one (".new"); that is then copied into the store in place under the
// store's lock, so that the store keeps its identity, owner, permissions and links, and is removed.
StoreSave saveStore(StoreFolder& folder, const std::string& name, const StoreKey& expected, std::string_view bytes);

// Mends what saves that died left beside the store: a complete copy of this user is copied in again (the
// store may be torn mid-copy), an unfinished one goes. Copies of writers still running stay; a copy that
// another user left is never put in.
void recoverStore(StoreFolder& folder, const std::string& name);

} // namespace hopwick
