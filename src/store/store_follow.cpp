#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

// Compared by content: a save may keep the file's inode and even its time stamp.
bool MainForm::storeChangedElsewhere() {
    return storeBytesOnDisk() != LastStoreBytes;
}

// Only a list that is stored can be lost by overwriting it: a store removed meanwhile is simply written again.
bool MainForm::otherListStored() {
    const std::string stored = storeBytesOnDisk();
    return !stored.empty() && stored != LastStoreBytes;
}

// In setup mode the user's edits are in progress: they are kept, and OK asks before it overwrites.
void MainForm::storeChangedOnDisk() {
    if (!SetupMode && storeChangedElsewhere()) {
        OpenF();
    }
}

int MainForm::askToOverwriteStore() {
    const int answer =
        platform_.messageBox(StorePath + "\r\n" + texts::kStoreChangedPrompt, kStyleYesNo, texts::kStoreChangedTitle);
    if (answer == kAnswerYes) {
        adoptStoreFile();
    }
    return answer;
}

// The user was shown the file by name and chose to overwrite it, so the file that the other process made or
// put in the store's place becomes this window's store. A folder that has gone or been replaced stays refused.
void MainForm::adoptStoreFile() {
    const FileIdentity now = platform_.identifyFile(StorePath);
    if (now.sameFolderAs(StoreIdentity)) {
        StoreIdentity = now;
    }
}

// A drop saves over what is stored now. Normal mode takes it up silently, as it shows the store; setup mode
// asks whether its edits overwrite it. False when the question was closed without an answer.
bool MainForm::followStoreBeforeDropSave() {
    if (!SetupMode) {
        storeChangedOnDisk();
        return true;
    }
    if (!otherListStored()) {
        return true;
    }
    const int answer = askToOverwriteStore();
    if (answer == kAnswerNo) {
        OpenF();
    }
    return answer == kAnswerYes || answer == kAnswerNo;
}

} // namespace hopwick
