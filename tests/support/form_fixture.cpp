#include "form_fixture.h"

namespace hopwick::testing {

std::string storeRecord(const std::vector<std::string>& items, const std::string& picture) {
    std::string line;
    for (int i = 0; i < 40; ++i) {
        line += "\"" + (i < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(i)] : "") + "\",";
    }
    return line + "\"" + picture + "\"\r\n";
}

FormTest::FormTest() : savedDirectory_(std::filesystem::current_path()) {
    platform.programFolderPath = folder.path().string();
    platform.configFolderPath = (folder.path() / "config" / "hopwick").string();
    std::filesystem::current_path(folder.path());
    form = std::make_unique<MainForm>(platform);
}

FormTest::~FormTest() {
    std::filesystem::current_path(savedDirectory_);
}

void FormTest::start() {
    form->Form_Load();
    platform.forget();
}

std::vector<std::string> FormTest::messagePrompts() const {
    std::vector<std::string> prompts;
    for (const RecordedMessage& message : platform.messages) {
        prompts.push_back(message.prompt);
    }
    return prompts;
}

int FormTest::boxesTitled(const std::string& title) const {
    int count = 0;
    for (const RecordedMessage& message : platform.messages) {
        count += message.title == title ? 1 : 0;
    }
    return count;
}

void FormTest::dropFile(const std::string& path) {
    int effect = 0;
    form->Form_OLEDragDrop(DataObject::files({path}), effect, 1, 0, 10, 10);
}

} // namespace hopwick::testing
