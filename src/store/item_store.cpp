#include "app/main_form.h"
#include "app/texts.h"
#include "store/store_encoding.h"

namespace hopwick {

namespace {

constexpr const char* kStoreName = "SIS";
// Far more than 41 of the longest paths take; a larger file is read only this far, so that a damaged
// store of any size is read in bounded memory and time.
constexpr std::size_t kStoreReadLimit = 4 * 1024 * 1024;

} // namespace

// The store lives beside the program; an installed copy whose folder the user cannot write keeps it in the
// user's configuration folder instead. A store beside the program always wins.
std::string MainForm::storeLocation() {
    const std::string folder = platform_.programFolder();
    const std::string beside = platform_.joinPath(folder, kStoreName);
    if (platform_.isOrdinaryFile(beside) || platform_.isWritableFolder(folder)) {
        return beside;
    }
    return platform_.joinPath(platform_.userConfigFolder(), kStoreName);
}

void MainForm::SI() {
    for (int i = 0; i < kStoreSlots; ++i) {
        ItemSlots[static_cast<std::size_t>(i)] = List1.List(i);
    }
    StorePath = storeLocation();

    std::vector<std::string> fields(ItemSlots.begin(), ItemSlots.end());
    fields.push_back(PicturePath);
    std::string failure;
    for (const std::string& field : fields) {
        // The format has no escaping: such a field would end early and shift every later one.
        if (field.find('"') != std::string::npos) {
            failure = texts::kQuoteInPathPrompt + std::string("\r\n") + field;
            break;
        }
    }
    if (failure.empty()) {
        std::string bytes = encodeStore(platform_, fields);
        const FileWrite write = platform_.replaceFile(StorePath, bytes);
        if (write.written) {
            LastStoreBytes = std::move(bytes);
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
    StorePath = storeLocation();
    platform_.removeStaleTemporaries(StorePath);

    // A load shows exactly what a fresh start with this store would show.
    List1.Clear();
    FileRead file = platform_.readFile(StorePath, kStoreReadLimit);
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
