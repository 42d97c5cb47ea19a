#include "app/main_form.h"
#include "app/texts.h"
#include "store/item_guard.h"
#include "store/store_encoding.h"

namespace hopwick {

void MainForm::SI() {
    for (int i = 0; i < kStoreSlots; ++i) {
        ItemSlots[static_cast<std::size_t>(i)] = List1.List(i);
    }
    std::vector<std::string> fields(ItemSlots.begin(), ItemSlots.end());
    fields.push_back(PicturePath);
    std::string failure;
    for (const std::string& field : fields) {
        // The format has no escaping: such a field would end early and shift every later one.
        if (const char* reason = unstorableReason(field)) {
            failure = reason + std::string("\r\n") + field;
            break;
        }
    }
    if (failure.empty()) {
        failure = store_.save(encodeStore(system_, fields));
    }
    if (!failure.empty()) {
        dialogs_.messageBox(StorePath + "\r\n" + failure + "\r\n" + texts::kSaveFailedPrompt, MessageStyle::Ok,
                            texts::kSaveFailedTitle);
    }
    Form.SetFocus();
}

void MainForm::OpenF() {
    StoreFile::Load load = store_.load();
    if (load.kind == StoreFile::Load::Kind::Lost) {
        // The store is out of reach: the list shows the store's content as last seen, and the user learns why.
        showStoreContent(store_.lastBytes(), store_.key().present);
        tellStoreLost();
        return;
    }
    storeLostTold_ = false;
    replacementOffered_ = false;
    if (load.kind == StoreFile::Load::Kind::None) {
        List1.Clear();
        Ini();
        PicturePath.clear();
        showStoredPicture();
        return;
    }
    // A store that is there but cannot be read is damaged, not absent.
    const bool damaged = showStoreContent(load.bytes, true) || load.kind == StoreFile::Load::Kind::Unreadable;
    if (damaged) {
        reportStoreDamage(load.error);
    }
}

// A load shows exactly what a fresh start with this content would show; true when it was damaged.
bool MainForm::showStoreContent(const std::string& bytes, bool present) {
    List1.Clear();
    const DecodedStore store = decodeStore(system_, bytes);
    if (!present || store.texts.empty()) {
        // Nothing could be read: start as on a first run rather than with an empty list.
        Ini();
        PicturePath.clear();
        showStoredPicture();
        return present && store.damaged;
    }
    for (std::size_t i = 0; i < ItemSlots.size(); ++i) {
        ItemSlots[i] = i < store.texts.size() ? store.texts[i] : std::string();
    }
    PicturePath = store.texts.size() > ItemSlots.size() ? store.texts.back() : std::string();
    showStoredPicture();
    for (int i = 0; i < kStoreSlots; ++i) {
        List1.setList(i, ItemSlots[static_cast<std::size_t>(i)]);
    }
    checK();
    return store.damaged;
}

void MainForm::checK() {
    while (List1.ListCount() > 0 && List1.List(List1.ListCount() - 1).empty()) {
        List1.RemoveItem(List1.ListCount() - 1);
    }
}

// A picture that cannot be loaded shows none, but keeps its path: the file may come back.
void MainForm::showStoredPicture() {
    Form.setPicture(view_.loadPicture(PicturePath).picture);
}

void MainForm::reportStoreDamage(const std::string& reason) {
    std::string prompt = StorePath + "\r\n";
    if (!reason.empty()) {
        prompt += reason + "\r\n";
    }
    dialogs_.messageBox(prompt + texts::kStoreDamagedPrompt, MessageStyle::Ok, texts::kStoreDamagedTitle);
}

} // namespace hopwick
