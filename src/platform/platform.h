#pragma once

#include "platform/control_id.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace hopwick {

// Everything here works in UTF-8; converting to the system's own encodings is the implementation's job.
// Every operation runs on the user-interface thread and returns when it is done, modal ones included.

// Message-box styles and answers, as the window's handlers use them.
inline constexpr int kStyleOk = 0;
inline constexpr int kStyleYesNo = 4; // Yes is the default button
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2; // a Yes/No box closed without an answer (Escape, the close button)
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// Path-search attribute bits: plain files always count; these add hidden files, system files and folders.
inline constexpr int kAttrHidden = 2;
inline constexpr int kAttrSystem = 4;
inline constexpr int kAttrFolder = 16;

inline constexpr int kShowNormal = 1; // window style of a started program
inline constexpr int kShow = 5;       // show command of the shell's "open"

// A loaded picture, drawn by the front end that loaded it.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int widthPixels() const = 0;
    virtual int heightPixels() const = 0;
};

struct PictureLoad {
    std::shared_ptr<const Picture> picture; // null: no picture (the path was "" or the load failed)
    std::string error;                      // why the load failed; empty when it did not
};

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

struct FileWrite {
    bool written = false;
    std::string error; // why the file could not be written; empty when it was
};

struct StorePlace;

struct OpenDialogRequest {
    long flags = 0;
    std::string filter;   // description|pattern pairs, as the handlers set them
    std::string fileName; // the starting name
};

class Platform {
public:
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    virtual ~Platform() = default;

    // Modal message box. An empty title shows the application's title. Returns kAnswerOk, kAnswerYes or kAnswerNo,
    // or kAnswerCancel when a Yes/No box was closed without an answer.
    virtual int messageBox(const std::string& prompt, int style, const std::string& title) = 0;
    virtual void beep() = 0;

    // Modal file-open dialog. Returns the chosen full path, or nothing when it was cancelled. A confirmed
    // choice makes the chosen file's folder the process's current directory.
    virtual std::optional<std::string> showOpenDialog(const OpenDialogRequest& request) = 0;

    // The shell's "open" of a path or a URL, in `directory`. Returns at once; the outcome is not reported
    // back, as the callers do not examine it.
    virtual void shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                              int showCommand) = 0;

    // Starts a program file (a built-in tool's) with a window style, without waiting for it.
    virtual ProgramStart startProgram(const std::string& programFile, int windowStyle) = 0;

    // The first file or folder matching `path` (wildcards * and ? allowed in its last element) under the
    // attribute mask. Relative paths are taken against the current directory.
    virtual PathSearch findPath(const std::string& path, int attributeMask) = 0;

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
    // The arguments part of the command line as one text; empty when there is none.
    virtual std::string commandLine() = 0;

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

    // Loads a .bmp, .ico or .gif picture. "" gives the empty picture with no error.
    virtual PictureLoad loadPicture(const std::string& path) = 0;

    // The window and its controls: the core holds their state; these tell the front end to show it.
    virtual void setFocus(ControlId control) = 0;
    virtual void applyWindowSize(int widthTwips, int heightTwips) = 0;
    virtual void applyCaption(const std::string& caption) = 0;
    virtual void applyPicture(const std::shared_ptr<const Picture>& picture) = 0;
    virtual void controlChanged(ControlId control) = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
};

} // namespace hopwick
