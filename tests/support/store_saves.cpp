#include "store_saves.h"

#include "platform/store_folder.h"
#include "store/save_protocol.h"

namespace hopwick::testing {

FileWrite replaceFile(SystemServices& platform, const std::string& path, std::string_view bytes) {
    const StorePlace place = platform.openStorePlace(path, true);
    if (!place.folder) {
        return {false, place.error};
    }
    const FolderEntry entry = place.folder->look(place.name);
    const StoreKey expected{entry.kind == FolderEntry::Kind::File, entry.volume, entry.index};
    const StoreSave save = saveStore(*place.folder, place.name, expected, bytes);
    return {save.written, save.error};
}

void recoverInterruptedSaves(SystemServices& platform, const std::string& path) {
    const StorePlace place = platform.openStorePlace(path, false);
    if (place.folder) {
        recoverStore(*place.folder, place.name);
    }
}

} // namespace hopwick::testing
