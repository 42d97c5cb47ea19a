#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hopwick {

// Path-search attributes, a set of flags: plain files always count; these add hidden files, system files and
// folders.
enum class PathAttributes : unsigned { None = 0, Hidden = 2, System = 4, Folder = 16 };

constexpr PathAttributes operator|(PathAttributes a, PathAttributes b) {
    return static_cast<PathAttributes>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool includes(PathAttributes set, PathAttributes attribute) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(attribute)) != 0;
}

// How a started program's window, or what the shell opens, first shows.
enum class ShowCommand { Normal = 1, Show = 5 };

struct PathSearch {
    std::string name;  // the first matching file or folder name; empty when nothing matches
    std::string error; // set when the search failed in itself (permission denied, device not ready)
};

struct ProgramStart {
    bool started = false;
    std::string reason; // why it did not start; empty when it did
};

struct FileRead {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    std::string bytes;      // at most the requested number of bytes
    bool truncated = false; // the file holds more than was read
    std::string error;      // set with Failed
};

// Which file a path named, and in which folder: a file keeps its identity under every name and through a
// rewrite in place; a file put in its place, or a folder put in place of its folder, has another one.
struct FileIdentity {
    bool present = false;     // a file was there
    std::uint64_t volume = 0; // the file system's device (Linux) or volume serial number (Windows)
    std::uint64_t index = 0;  // the inode (Linux) or file index (Windows)
    bool folderPresent = false;
    std::uint64_t folderVolume = 0;
    std::uint64_t folderIndex = 0;
    bool operator==(const FileIdentity&) const = default;
    bool sameFileAs(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
    bool sameFolderAs(const FileIdentity& other) const {
        return folderPresent == other.folderPresent && folderVolume == other.folderVolume &&
               folderIndex == other.folderIndex;
    }
};

struct StorePlace;

// The operating system's services: files, paths, folders, starting programs, the shell and code page 932. They
// show nothing: a failure comes back as a value, for the caller to tell. Everything is UTF-8; converting to
// the system's own encodings is the implementation's job.
class SystemServices {
public:
    SystemServices() = default;
    SystemServices(const SystemServices&) = delete;
    SystemServices& operator=(const SystemServices&) = delete;
    virtual ~SystemServices() = default;

    // The shell's "open" of a path or a URL, in `directory`. Returns at once: "" once the open is handed on,
    // whose outcome is not reported back, or why no open could start at all (no program to open it with).
    virtual std::string shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                                     ShowCommand showCommand) = 0;

    // Starts a program file (a built-in tool's) with a window style, without waiting for it.
    virtual ProgramStart startProgram(const std::string& programFile, ShowCommand windowStyle) = 0;

    // The first file or folder matching `path` (wildcards * and ? allowed in its last element) with the
    // attributes. Relative paths are taken against the current directory.
    virtual PathSearch findPath(const std::string& path, PathAttributes attributes) = 0;

    virtual std::string currentDirectory() = 0;
    virtual std::string programFolder() = 0;
    // True for a copy that an install step put in place, which keeps its store in the user's folder: on
    // Linux when <program folder>/../share/hopwick/installed exists, on Windows when hopwick.installed
    // stands beside the program. Any other copy is portable and keeps its store beside itself.
    virtual bool isInstalledCopy() = 0;
    // The user's own configuration folder for Hopwick; it need not exist yet. Empty when the user has none.
    virtual std::string userConfigFolder() = 0;
    // `folder` joined with a file name, with the platform's separator.
    virtual std::string joinPath(const std::string& folder, const std::string& name) = 0;

    // True for an existing ordinary file; folders, hidden and system files count as missing.
    virtual bool isOrdinaryFile(const std::string& path) = 0;
    // True when a new file can be created in the existing folder.
    virtual bool isWritableFolder(const std::string& folder) = 0;
    // The identity of the file at `path` (symbolic links followed) and of its folder; nothing present
    // where the path names nothing.
    virtual FileIdentity identifyFile(const std::string& path) = 0;
    // Reads at most `maxBytes` bytes of a file. A save running in another process is waited for, so that
    // the bytes are one whole content.
    virtual FileRead readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Opens the folder that holds the file at `path` (platform/store_folder.h), once the path's links are
    // followed: a store kept as a link to a file elsewhere lives in the target's folder. With `makeFolder`, a
    // missing folder is made first. Symbolic links of another user in a shared folder are not followed.
    virtual StorePlace openStorePlace(const std::string& path, bool makeFolder) = 0;

    // Code page 932 as the system converts it. Encoding returns nothing when a character has no code;
    // decoding returns nothing for bytes that are not valid code page 932.
    virtual std::optional<std::string> encodeCodePage932(std::string_view utf8) = 0;
    virtual std::optional<std::string> decodeCodePage932(std::string_view bytes) = 0;
};

} // namespace hopwick
