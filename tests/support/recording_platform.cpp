#include "recording_platform.h"

#include <filesystem>
#include <fstream>

namespace hopwick::testing {

int RecordingPlatform::messageBox(const std::string& prompt, int style, const std::string& title) {
    messages.push_back({prompt, style, title});
    events.push_back("message: " + prompt);
    if (!whileMessageShown.empty()) {
        const std::function<void()> meanwhile = std::move(whileMessageShown.front());
        whileMessageShown.pop_front();
        meanwhile();
    }
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return style == kStyleYesNo ? kAnswerYes : kAnswerOk;
}

void RecordingPlatform::beep() {
    ++beeps;
    events.emplace_back("beep");
}

std::optional<std::string> RecordingPlatform::showOpenDialog(const OpenDialogRequest& request) {
    dialogs.push_back(request);
    events.push_back("dialog: " + request.filter);
    std::optional<std::string> result;
    if (!dialogResults.empty()) {
        result = dialogResults.front();
        dialogResults.pop_front();
    }
    if (result) {
        // A confirmed choice moves the current directory to the chosen file's folder, as the real dialog does.
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::path(*result).parent_path(), ignored);
    }
    return result;
}

void RecordingPlatform::shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                                     int showCommand) {
    shellCalls.push_back({verb, file, directory, showCommand});
    events.push_back("shell: " + file);
}

ProgramStart RecordingPlatform::startProgram(const std::string& programFile, int windowStyle) {
    starts.push_back({programFile, windowStyle});
    events.push_back("start: " + programFile);
    if (!startResults.empty()) {
        ProgramStart result = startResults.front();
        startResults.pop_front();
        return result;
    }
    return {true, {}};
}

PathSearch RecordingPlatform::findPath(const std::string& path, int attributeMask) {
    events.push_back("search: " + path);
    if (!searchFailures.empty()) {
        PathSearch failed{{}, searchFailures.front()};
        searchFailures.pop_front();
        return failed;
    }
    return SystemPlatform::findPath(path, attributeMask);
}

FileRead RecordingPlatform::readFile(const std::string& path, std::size_t maxBytes) {
    if (!readFailures.empty()) {
        FileRead failed;
        failed.status = FileRead::Status::Failed;
        failed.error = readFailures.front();
        readFailures.pop_front();
        return failed;
    }
    return SystemPlatform::readFile(path, maxBytes);
}

FileWrite RecordingPlatform::replaceFile(const std::string& path, std::string_view bytes) {
    events.push_back("write: " + path);
    if (!writeFailures.empty()) {
        FileWrite failed{false, writeFailures.front()};
        writeFailures.pop_front();
        return failed;
    }
    return SystemPlatform::replaceFile(path, bytes);
}

PictureLoad RecordingPlatform::loadPicture(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    char head[4] = {};
    if (!in.read(head, sizeof head)) {
        return {nullptr, "cannot be read"};
    }
    const std::string magic(head, sizeof head);
    const bool known = magic.starts_with("BM") || magic.starts_with("GIF8") || magic == std::string("\0\0\1\0", 4);
    if (!known) {
        return {nullptr, "not a picture"};
    }
    return {std::make_shared<FakePicture>(path), {}};
}

void RecordingPlatform::setFocus(ControlId control) {
    focusMoves.push_back(control);
}

void RecordingPlatform::applyWindowSize(int widthTwips, int heightTwips) {
    windowSizes.emplace_back(widthTwips, heightTwips);
}

void RecordingPlatform::applyCaption(const std::string& caption) {
    captions.push_back(caption);
}

void RecordingPlatform::applyPicture(const std::shared_ptr<const Picture>& picture) {
    const auto* fake = dynamic_cast<const FakePicture*>(picture.get());
    shownPictures.push_back(fake ? fake->path : std::string());
}

void RecordingPlatform::closeWindow() {
    closed = true;
    events.emplace_back("close");
}

void RecordingPlatform::forget() {
    messages.clear();
    shellCalls.clear();
    starts.clear();
    dialogs.clear();
    focusMoves.clear();
    captions.clear();
    windowSizes.clear();
    shownPictures.clear();
    events.clear();
    beeps = 0;
    closed = false;
}

} // namespace hopwick::testing
