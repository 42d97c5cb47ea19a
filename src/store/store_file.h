#pragma once

#include "platform/store_folder.h"
#include "platform/system_services.h"
#include "store/save_protocol.h"

#include <string>
#include <string_view>

namespace hopwick {

// The store file "SIS" and everything about it: its place, fixed by the first load (its folder opened once
// and held), which file it is, the bytes last read or written, why a load failed, loading, following,
// saving and mending interrupted saves. No other code reads or writes the store.
class StoreFile {
public:
    explicit StoreFile(SystemServices& platform) : platform_(platform) {}
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    // The store's path as the user knows it; fixed by the first load.
    const std::string& path() const { return path_; }
    // The content as last loaded or saved; "" when there was no store.
    const std::string& lastBytes() const { return lastBytes_; }
    const StoreKey& key() const { return key_; }

    struct Load {
        enum class Kind {
            None,       // no store: the list starts with the default items
            Read,       // `bytes` are the store's
            Unreadable, // a store is there but cannot be read (`error`); saves keep off it
            Lost,       // the place no longer leads to the store (`error`); the list stays as it was
        };
        Kind kind = Kind::None;
        std::string bytes;
        std::string error;
    };
    // The first load fixes the place and mends interrupted saves first.
    Load load();

    // Writes the record into the store, or refuses when the place no longer leads to the store, the store
    // could not be read, or the record is larger than a load reads. "" when written, else why not.
    std::string save(std::string_view record);

    enum class Change {
        None,     // the store is as last loaded or saved
        Saved,    // the same store holds another content, or was made where there was none
        Removed,  // the store is gone from its folder
        Replaced, // another ordinary file stands in the store's place
        Lost,     // the folder has gone or been replaced, or something that is no file stands there
    };
    // What happened at the store's place since the last load or save; `lostReason` says why for Lost.
    Change lookAgain();
    const std::string& lostReason() const { return lostReason_; }
    // The file now in the store's place becomes the store (the user said so); nothing else ever does.
    void adoptReplacement();

private:
    bool holdPlace(bool makeFolder);
    void lose(std::string reason);

    SystemServices& platform_;
    std::string path_;
    StorePlace place_;
    bool loaded_ = false;
    StoreKey key_;
    std::string lastBytes_;
    std::string readFailure_;
    std::string lostReason_;
};

} // namespace hopwick
