#pragma once

#include "platform/platform.h"
#include "platform/system_platform.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hopwick::testing {

struct RecordedMessage {
    std::string prompt;
    MessageStyle style;
    std::string title;
};

struct RecordedShellCall {
    std::string verb;
    std::string file;
    std::string directory;
    ShowCommand showCommand;
};

struct RecordedStart {
    std::string programFile;
    ShowCommand windowStyle;
};

// A picture that the double "loads" from a file that starts like a bitmap, icon or GIF.
class FakePicture final : public Picture {
public:
    explicit FakePicture(std::string path) : path(std::move(path)) {}
    int widthPixels() const override { return 32; }
    int heightPixels() const override { return 32; }
    std::string path;
};

// The platform as the core's tests see it, every concern in one object: real files, paths and code page 932
// from the system, while everything that would show, start or open something is recorded, and modal boxes
// answer from a script.
class RecordingPlatform final : public SystemPlatform, public Dialogs, public WindowView {
public:
    operator Platform() { return {*this, *this, *this}; }

    // Answers for the next message boxes, in order; with none left, a box answers OK, or Yes for a Yes/No box.
    std::deque<MessageAnswer> messageAnswers;
    // What happens while the next message boxes are up, in order, as other events or processes act then.
    std::deque<std::function<void()>> whileMessageShown;
    // Results of the next file-open dialogs, in order: a full path confirms it, nothing cancels it.
    std::deque<std::optional<std::string>> dialogResults;
    // Results of the next program starts; with none left, the program starts.
    std::deque<ProgramStart> startResults;
    // Failures of the next shell opens, as a system without an opener gives them; with none left, the open is
    // handed on.
    std::deque<std::string> shellFailures;
    // Failures of the next path searches; with none left, the system searches.
    std::deque<std::string> searchFailures;
    // Failures of the next saves of the store; with none left, the store is written.
    std::deque<std::string> writeFailures;
    // Failures of the next reads of the store (as an unreadable file gives them); with none left, it is read.
    std::deque<std::string> readFailures;
    // Makes the program count as an installed copy.
    bool installedCopy = false;

    std::string programFolderPath;
    std::string configFolderPath;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedShellCall> shellCalls;
    std::vector<RecordedStart> starts;
    std::vector<OpenDialogRequest> dialogs;
    std::vector<ControlId> focusMoves;
    std::vector<std::string> captions;
    std::vector<std::pair<int, int>> windowSizes;
    std::vector<std::string> shownPictures; // path of each applied picture, "" for none
    std::vector<std::string> events;        // one line per call, in order: "beep", "message: <prompt>", ...
    int beeps = 0;
    bool closed = false;

    MessageAnswer messageBox(const std::string& prompt, MessageStyle style, const std::string& title) override;
    void beep() override;
    std::optional<std::string> showOpenDialog(const OpenDialogRequest& request) override;
    std::string shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                             ShowCommand showCommand) override;
    ProgramStart startProgram(const std::string& programFile, ShowCommand windowStyle) override;
    PathSearch findPath(const std::string& path, PathAttributes attributes) override;
    std::string programFolder() override { return programFolderPath; }
    std::string userConfigFolder() override { return configFolderPath; }
    bool isInstalledCopy() override { return installedCopy; }
    StorePlace openStorePlace(const std::string& path, bool makeFolder) override;
    PictureLoad loadPicture(const std::string& path) override;
    void setFocus(ControlId control) override;
    void applyWindowSize(int widthTwips, int heightTwips) override;
    void applyCaption(const std::string& caption) override;
    void applyPicture(const std::shared_ptr<const Picture>& picture) override;
    void controlChanged(ControlId) override {}
    void closeWindow() override;

    void forget(); // clears what was recorded, keeps the script
};

} // namespace hopwick::testing
