#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

// In setup mode the user's edits are in progress: they are kept, and OK asks before it overwrites. Normal mode
// shows what another window stored; anything else at the store's place is never taken as the store.
void MainForm::storeChangedOnDisk() {
    if (SetupMode) {
        return;
    }
    switch (store_.lookAgain()) {
    case StoreFile::Change::None: return;
    case StoreFile::Change::Saved:
    case StoreFile::Change::Removed: OpenF(); return;
    case StoreFile::Change::Replaced: offerReplacement(); return;
    case StoreFile::Change::Lost: tellStoreLost(); return;
    }
}

// Once for each loss, not at every look: the window keeps its list and saves are refused.
void MainForm::tellStoreLost() {
    if (storeLostTold_) {
        return;
    }
    storeLostTold_ = true;
    dialogs_.messageBox(StorePath + "\r\n" + store_.lostReason() + "\r\n" + texts::kStoreLostPrompt, MessageStyle::Ok,
                        texts::kStoreLostTitle);
}

// A file put in the store's place on purpose becomes the store only when the user says so; asked once for it.
void MainForm::offerReplacement() {
    if (replacementOffered_) {
        return;
    }
    replacementOffered_ = true;
    if (dialogs_.messageBox(StorePath + "\r\n" + texts::kStoreReplacedQuestion, MessageStyle::YesNo,
                            texts::kStoreReplacedTitle) == MessageAnswer::Yes) {
        store_.adoptReplacement();
        OpenF();
    }
}

// Only a list that is stored can be lost by overwriting it: a store removed meanwhile is simply written again,
// and a place that no longer leads to the store is refused by the save itself, with no question.
bool MainForm::otherListStored() {
    const StoreFile::Change change = store_.lookAgain();
    return change == StoreFile::Change::Saved || change == StoreFile::Change::Replaced;
}

MessageAnswer MainForm::askToOverwriteStore() {
    const MessageAnswer answer = dialogs_.messageBox(StorePath + "\r\n" + texts::kStoreChangedPrompt,
                                                     MessageStyle::YesNo, texts::kStoreChangedTitle);
    if (answer == MessageAnswer::Yes) {
        // The user was shown the file by name and chose to overwrite it: a file that another process made or put
        // in the store's folder becomes this window's store.
        store_.adoptReplacement();
    }
    return answer;
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
    const MessageAnswer answer = askToOverwriteStore();
    if (answer == MessageAnswer::No) {
        OpenF();
    }
    return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
}

} // namespace hopwick
