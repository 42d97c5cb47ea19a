#pragma once

#include "platform/store_folder.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace hopwick::testing {

// A small world of folders and files in memory, in which a test can do what users, other processes and
// media do to the store's place: remove and replace folders, put links and other files in place, unmount.
struct MemoryWorld {
    struct File {
        std::string bytes;
        bool ownedByUser = true;
        std::set<std::string> writes; // the steps that wrote it, "create" or "rewrite"
    };
    struct Entry {
        enum class Kind { File, Link, Folder } kind = Kind::File;
        std::uint64_t target = 0; // the file's index, for a file
    };
    struct Folder {
        std::map<std::string, Entry> entries;
    };

    std::map<std::uint64_t, File> files;
    std::map<std::uint64_t, Folder> folders;
    std::map<std::string, std::uint64_t> paths; // folder path -> the folder that it leads to now
    std::set<std::uint64_t> liveProcesses{1};
    std::uint64_t process = 1; // the process that the folders opened from now on belong to
    std::uint64_t nextIndex = 100;
    // Called before every operation of an opened folder or file with its name ("create", "rename",
    // "rewrite", ...); a non-empty answer makes it fail with that reason. It may also throw to end the process.
    std::function<std::string(const std::string& operation)> fault;

    std::uint64_t makeFolder(const std::string& path);
    std::uint64_t putFile(std::uint64_t folder, const std::string& name, std::string bytes, bool ownedByUser = true);
    // The file that the name leads to in the folder now at `path`, or null.
    const File* fileAt(const std::string& path, const std::string& name) const;
    std::unique_ptr<StoreFolder> open(const std::string& path);
};

} // namespace hopwick::testing
