#include "app/main_form.h"
#include "app/texts.h"
#include "edit/item_guard.h"
#include "store/store_encoding.h"

namespace hopwick {

namespace {

constexpr const char* kStoreName = "SIS";
// Far more than 41 of the longest paths take; a larger file is read only this far, so that a damaged
// store of any size is read in bounded memory and time. A save never writes more than a load reads.
constexpr std::size_t kStoreReadLimit = 4 * 1024 * 1024;

} // namespace

// An installed copy keeps every user's store in that user's folder, root's too; any other copy keeps it
// beside itself, as the store has always been kept.
std::string MainForm::storeLocation() {
    const std::string folder = platform_.isInstalledCopy() ? platform_.userConfigFolder() : platform_.programFolder();
    return platform_.joinPath(folder, kStoreName);
}

// Why a save must not write the store now, or "" when it may. The place was fixed at start-up: a folder
// that has gone (a pulled stick, a removed copy) or a file put in the store's place is someone else's.
std::string MainForm::saveRefusal(std::size_t recordSize) {
    if (!StoreReadFailure.empty()) {
        return StoreReadFailure + "\r\n" + texts::kStoreNotReadPrompt;
    }
    if (recordSize > kStoreReadLimit) {
        return std::string(texts::kStoreTooLargePrompt) + " (" + std::to_string(recordSize) + " > " +
               std::to_string(kStoreReadLimit) + ")";
    }
    const FileIdentity now = platform_.identifyFile(StorePath);
    if (StoreIdentity.folderPresent && !now.sameFolderAs(StoreIdentity)) {
        return texts::kStoreFolderGonePrompt;
    }
    if (now.present && (!StoreIdentity.present || !now.sameFileAs(StoreIdentity))) {
        return texts::kStoreReplacedPrompt;
    }
    return {};
}

void MainForm::SI() {
    for (int i = 0; i < kStoreSlots; ++i) {
        ItemSlots[static_cast<std::size_t>(i)] = List1.List(i);
    }
    if (StorePath.empty()) {
        StorePath = storeLocation();
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
    std::string record;
    if (failure.empty()) {
        record = encodeStore(platform_, fields);
        failure = saveRefusal(record.size());
    }
    if (failure.empty()) {
        const FileWrite write = platform_.replaceFile(StorePath, record);
        if (write.written) {
            StoreIdentity = platform_.identifyFile(StorePath); // new when this save created the file
            LastStoreBytes = std::move(record);
        } else {
            failure = write.error;
        }
    }
    if (!failure.empty()) {
        platform_.messageBox(StorePath + "\r\n" + failure + "\r\n" + texts::kSaveFailedPrompt, kStyleOk,
                             texts::kSaveFailedTitle);
    }
    Form.SetFocus();
}

void MainForm::OpenF() {
    if (StorePath.empty()) {
        StorePath = storeLocation();
    }
    platform_.recoverInterruptedSaves(StorePath);

    // A load shows exactly what a fresh start with this store would show.
    List1.Clear();
    StoreIdentity = platform_.identifyFile(StorePath);
    FileRead file = platform_.readFile(StorePath, kStoreReadLimit);
    // Saves keep off a store that is there but could not be read: it may hold a list that nobody has seen.
    StoreReadFailure = file.status == FileRead::Status::Failed ? file.error : std::string();
    LastStoreBytes = file.status == FileRead::Status::Read ? file.bytes : std::string();
    // A hidden store counts as none; one that exists but cannot be read is damaged, not absent.
    const bool present = platform_.isOrdinaryFile(StorePath) || file.status == FileRead::Status::Failed;
    if (!present) {
        Ini();
        PicturePath.clear();
        showStoredPicture();
        return;
    }

    DecodedStore store = decodeStore(platform_, file.bytes);
    const bool damaged = store.damaged || file.status == FileRead::Status::Failed;
    if (store.texts.empty()) {
        // Nothing could be read: start as on a first run rather than with an empty list.
        Ini();
        PicturePath.clear();
        showStoredPicture();
    } else {
        for (std::size_t i = 0; i < ItemSlots.size(); ++i) {
            ItemSlots[i] = i < store.texts.size() ? store.texts[i] : std::string();
        }
        PicturePath = store.texts.size() > ItemSlots.size() ? store.texts.back() : std::string();
        showStoredPicture();
        for (int i = 0; i < kStoreSlots; ++i) {
            List1.setList(i, ItemSlots[static_cast<std::size_t>(i)]);
        }
        checK();
    }
    if (damaged) {
        reportStoreDamage(file.error);
    }
}

// What a load would read now; "" when there is no store or it cannot be read.
std::string MainForm::storeBytesOnDisk() {
    FileRead file = platform_.readFile(StorePath, kStoreReadLimit);
    return file.status == FileRead::Status::Read ? std::move(file.bytes) : std::string();
}

void MainForm::checK() {
    while (List1.ListCount() > 0 && List1.List(List1.ListCount() - 1).empty()) {
        List1.RemoveItem(List1.ListCount() - 1);
    }
}

// A picture that cannot be loaded shows none, but keeps its path: the file may come back.
void MainForm::showStoredPicture() {
    Form.setPicture(platform_.loadPicture(PicturePath).picture);
}

void MainForm::reportStoreDamage(const std::string& reason) {
    std::string prompt = StorePath + "\r\n";
    if (!reason.empty()) {
        prompt += reason + "\r\n";
    }
    platform_.messageBox(prompt + texts::kStoreDamagedPrompt, kStyleOk, texts::kStoreDamagedTitle);
}

} // namespace hopwick
