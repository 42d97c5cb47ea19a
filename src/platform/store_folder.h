#pragma once

#include "platform/system_services.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hopwick {

// What stands under a name in the store's folder. Links are not followed: a link is Other, whatever it
// leads to.
struct FolderEntry {
    enum class Kind { Missing, File, Other, Failed };
    Kind kind = Kind::Missing;
    std::uint64_t volume = 0; // of an ordinary file: its file system (Linux) or volume serial (Windows)
    std::uint64_t index = 0;  // its inode or file index
    bool hidden = false;      // a hidden or system file, which the list counts as none
    bool ownedByUser = false; // its owner is the user that runs the program
    std::string error;        // why it could not be looked at, with Failed
};

// An ordinary file of the store's folder, open.
class FolderFile {
public:
    virtual ~FolderFile() = default;
    virtual std::uint64_t volume() = 0;
    virtual std::uint64_t index() = 0;
    // The whole-file lock that saves take: exclusive for a save, shared for a read. Waits a while for a save
    // of another process; "" or why it could not be taken.
    virtual std::string lock(bool exclusive) = 0;
    virtual void unlock() = 0;
    // Reads at most `maxBytes` from the first byte.
    virtual FileRead read(std::size_t maxBytes) = 0;
    // Puts `bytes` into the file in place, flushed. A failure part way puts the old content back, so the file
    // keeps its identity, owner, permissions and links, and holds its old content or the new one.
    virtual std::string rewrite(std::string_view bytes) = 0;
};

// The folder that holds the store, opened once: every operation names a file in it and reaches it through
// what was opened, never through the folder's path again, so that a folder moved, replaced or swapped for a
// link cannot lead a save elsewhere.
class StoreFolder {
public:
    virtual ~StoreFolder() = default;
    // Whether the folder's path still leads to the folder that was opened (not gone, replaced or unmounted).
    virtual bool inPlace() = 0;
    virtual std::uint64_t volume() = 0;
    virtual std::uint64_t index() = 0;
    virtual FolderEntry look(const std::string& name) = 0;
    // Opens an ordinary file, for reading or for reading and writing; a link, a folder or anything else is
    // refused. Null with the reason.
    virtual std::unique_ptr<FolderFile> open(const std::string& name, bool forWriting, std::string& error) = 0;
    // Makes a new file under `name` (one left there by an earlier process goes first), writes it whole and
    // flushes it; only the user may read it when `privateCopy`. "" or the reason.
    virtual std::string create(const std::string& name, std::string_view bytes, bool privateCopy) = 0;
    // Renames within the folder, flushed; without `replace`, an existing `to` makes it fail. "" or the reason.
    virtual std::string rename(const std::string& from, const std::string& to, bool replace) = 0;
    virtual void remove(const std::string& name) = 0;
    virtual std::vector<std::string> names() = 0;
    // This process's id, and whether the process of another id has ended (one of another user still runs).
    virtual std::uint64_t processId() = 0;
    virtual bool processGone(std::uint64_t processId) = 0;
};

struct StorePlace {
    std::unique_ptr<StoreFolder> folder; // null when the folder could not be opened
    std::string name;                    // the store's name in it: the end of the path, or a link's target
    std::string error;                   // why the folder could not be opened
    bool missing = false;                // the folder does not exist (yet)
};

} // namespace hopwick
