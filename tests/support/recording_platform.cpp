#include "recording_platform.h"

#include "platform/store_folder.h"

#include <filesystem>
#include <fstream>

namespace hopwick::testing {

MessageAnswer RecordingPlatform::messageBox(const std::string& prompt, MessageStyle style, const std::string& title) {
    messages.push_back({prompt, style, title});
    events.push_back("message: " + prompt);
    if (!whileMessageShown.empty()) {
        const std::function<void()> meanwhile = std::move(whileMessageShown.front());
        whileMessageShown.pop_front();
        meanwhile();
    }
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return style == MessageStyle::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
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

std::string RecordingPlatform::shellExecute(const std::string& verb, const std::string& file,
                                            const std::string& directory, ShowCommand showCommand) {
    shellCalls.push_back({verb, file, directory, showCommand});
    events.push_back("shell: " + file);
    if (shellFailures.empty()) {
        return {};
    }
    std::string failure = shellFailures.front();
    shellFailures.pop_front();
    return failure;
}

ProgramStart RecordingPlatform::startProgram(const std::string& programFile, ShowCommand windowStyle) {
    starts.push_back({programFile, windowStyle});
    events.push_back("start: " + programFile);
    if (!startResults.empty()) {
        ProgramStart result = startResults.front();
        startResults.pop_front();
        return result;
    }
    return {true, {}};
}

PathSearch RecordingPlatform::findPath(const std::string& path, PathAttributes attributes) {
    events.push_back("search: " + path);
    if (!searchFailures.empty()) {
        PathSearch failed{{}, searchFailures.front()};
        searchFailures.pop_front();
        return failed;
    }
    return SystemPlatform::findPath(path, attributes);
}

namespace {

// An opened file of the store's folder whose reads fail while the platform's script says so.
class ScriptedFile final : public FolderFile {
public:
    ScriptedFile(std::unique_ptr<FolderFile> file, std::deque<std::string>& readFailures)
        : file_(std::move(file)), readFailures_(readFailures) {}
    std::uint64_t volume() override { return file_->volume(); }
    std::uint64_t index() override { return file_->index(); }
    std::string lock(bool exclusive) override { return file_->lock(exclusive); }
    void unlock() override { file_->unlock(); }
    FileRead read(std::size_t maxBytes) override {
        if (readFailures_.empty()) {
            return file_->read(maxBytes);
        }
        FileRead failed;
        failed.status = FileRead::Status::Failed;
        failed.error = readFailures_.front();
        readFailures_.pop_front();
        return failed;
    }
    std::string rewrite(std::string_view bytes) override { return file_->rewrite(bytes); }

private:
    std::unique_ptr<FolderFile> file_;
    std::deque<std::string>& readFailures_;
};

// The store's real folder, with every save recorded as "write: <store path>" (a save writes one new copy
// first) and failing while the script says so.
class RecordedFolder final : public StoreFolder {
public:
    RecordedFolder(std::unique_ptr<StoreFolder> folder, std::string path, RecordingPlatform& platform)
        : folder_(std::move(folder)), path_(std::move(path)), platform_(platform) {}
    bool inPlace() override { return folder_->inPlace(); }
    std::uint64_t volume() override { return folder_->volume(); }
    std::uint64_t index() override { return folder_->index(); }
    FolderEntry look(const std::string& name) override { return folder_->look(name); }
    std::unique_ptr<FolderFile> open(const std::string& name, bool forWriting, std::string& error) override {
        std::unique_ptr<FolderFile> file = folder_->open(name, forWriting, error);
        return file ? std::make_unique<ScriptedFile>(std::move(file), platform_.readFailures) : nullptr;
    }
    std::string create(const std::string& name, std::string_view bytes, bool privateCopy) override {
        platform_.events.push_back("write: " + path_);
        if (!platform_.writeFailures.empty()) {
            std::string failure = platform_.writeFailures.front();
            platform_.writeFailures.pop_front();
            return failure;
        }
        return folder_->create(name, bytes, privateCopy);
    }
    std::string rename(const std::string& from, const std::string& to, bool replace) override {
        return folder_->rename(from, to, replace);
    }
    void remove(const std::string& name) override { folder_->remove(name); }
    std::vector<std::string> names() override { return folder_->names(); }
    std::uint64_t processId() override { return folder_->processId(); }
    bool processGone(std::uint64_t processId) override { return folder_->processGone(processId); }

private:
    std::unique_ptr<StoreFolder> folder_;
    std::string path_;
    RecordingPlatform& platform_;
};

} // namespace

StorePlace RecordingPlatform::openStorePlace(const std::string& path, bool makeFolder) {
    StorePlace place = SystemPlatform::openStorePlace(path, makeFolder);
    if (place.folder) {
        place.folder = std::make_unique<RecordedFolder>(std::move(place.folder), path, *this);
    }
    return place;
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
