#include "store/store_file.h"

#include "app/texts.h"

namespace hopwick {

namespace {

constexpr const char* kStoreName = "SIS";

StoreKey keyOf(const FolderEntry& entry) {
    return {entry.kind == FolderEntry::Kind::File, entry.volume, entry.index};
}

} // namespace

// An installed copy keeps every user's store in that user's folder, root's too; any other copy keeps it
// beside itself, as the store has always been kept. A folder that does not exist yet is held once a save
// has made it.
bool StoreFile::holdPlace(bool makeFolder) {
    if (path_.empty()) {
        const std::string folder =
            platform_.isInstalledCopy() ? platform_.userConfigFolder() : platform_.programFolder();
        path_ = platform_.joinPath(folder, kStoreName);
    }
    if (!place_.folder) {
        place_ = platform_.openStorePlace(path_, makeFolder);
    }
    return place_.folder != nullptr;
}

void StoreFile::lose(std::string reason) {
    lostReason_ = std::move(reason);
}

StoreFile::Load StoreFile::load() {
    const bool first = !loaded_;
    loaded_ = true;
    if (!holdPlace(false)) {
        readFailure_ = place_.missing ? std::string() : place_.error;
        return place_.missing ? Load{} : Load{Load::Kind::Unreadable, {}, place_.error};
    }
    StoreFolder& folder = *place_.folder;
    if (first) {
        recoverStore(folder, place_.name);
    }
    // After the first load, nothing but the store's own folder and files is ever taken as the store.
    if (!first && !folder.inPlace()) {
        lose(texts::kStoreFolderGonePrompt);
        return {Load::Kind::Lost, {}, lostReason_};
    }
    const FolderEntry entry = folder.look(place_.name);
    if (entry.kind == FolderEntry::Kind::Missing || (entry.kind == FolderEntry::Kind::File && entry.hidden)) {
        // A hidden store counts as none; a save still writes that file.
        key_ = keyOf(entry);
        lastBytes_.clear();
        readFailure_.clear();
        return {};
    }
    // Another file put in the store's place becomes the store only through adoptReplacement.
    if (!first && key_.present && entry.kind == FolderEntry::Kind::File && keyOf(entry) != key_) {
        lose(texts::kStoreReplacedPrompt);
        return {Load::Kind::Lost, {}, lostReason_};
    }
    std::string failure = entry.kind == FolderEntry::Kind::Other ? texts::kStoreNotAFilePrompt : entry.error;
    std::unique_ptr<FolderFile> file;
    if (entry.kind == FolderEntry::Kind::File) {
        file = folder.open(place_.name, false, failure);
    }
    if (!first && !file) {
        lose(failure);
        return {Load::Kind::Lost, {}, lostReason_};
    }
    FileRead read;
    if (file) {
        // A save copies its content in under an exclusive lock: with the shared one we read a whole content.
        // A lock that never comes is no save; the file is read as it is.
        const bool locked = file->lock(false).empty();
        read = file->read(kStoreReadLimit);
        if (locked) {
            file->unlock();
        }
        failure = read.error;
    }
    key_ = file ? StoreKey{true, file->volume(), file->index()} : keyOf(entry);
    lostReason_.clear();
    if (!file || read.status != FileRead::Status::Read) {
        // Saves keep off a store that is there but could not be read: it may hold a list that nobody has seen.
        readFailure_ = failure;
        lastBytes_.clear();
        return {Load::Kind::Unreadable, {}, failure};
    }
    readFailure_.clear();
    lastBytes_ = read.bytes;
    return {Load::Kind::Read, std::move(read.bytes), {}};
}

std::string StoreFile::save(std::string_view record) {
    if (!readFailure_.empty()) {
        return readFailure_ + "\r\n" + texts::kStoreNotReadPrompt;
    }
    if (record.size() > kStoreReadLimit) {
        return std::string(texts::kStoreTooLargePrompt) + " (" + std::to_string(record.size()) + " > " +
               std::to_string(kStoreReadLimit) + ")";
    }
    // A folder held since start-up is never made again; one that was missing then is made by the first save.
    if (!holdPlace(true)) {
        return place_.error;
    }
    StoreSave written = saveStore(*place_.folder, place_.name, key_, record);
    if (!written.written) {
        return written.error;
    }
    key_ = written.key;
    lastBytes_ = std::string(record);
    lostReason_.clear();
    return {};
}

StoreFile::Change StoreFile::lookAgain() {
    if (!place_.folder) {
        // No folder at start-up: one that another window made since holds the store from now on.
        if (!loaded_ || !holdPlace(false)) {
            return Change::None;
        }
    }
    StoreFolder& folder = *place_.folder;
    if (!folder.inPlace()) {
        lose(texts::kStoreFolderGonePrompt);
        return Change::Lost;
    }
    const FolderEntry entry = folder.look(place_.name);
    switch (entry.kind) {
    case FolderEntry::Kind::Failed: lose(entry.error); return Change::Lost;
    case FolderEntry::Kind::Other: lose(texts::kStoreNotAFilePrompt); return Change::Lost;
    case FolderEntry::Kind::Missing: return key_.present ? Change::Removed : Change::None;
    case FolderEntry::Kind::File: break;
    }
    if (key_.present && keyOf(entry) != key_) {
        return Change::Replaced;
    }
    std::string failure;
    const std::unique_ptr<FolderFile> file = folder.open(place_.name, false, failure);
    if (!file) {
        return Change::None; // gone again meanwhile; the next look tells
    }
    const bool locked = file->lock(false).empty();
    const FileRead read = file->read(kStoreReadLimit);
    if (locked) {
        file->unlock();
    }
    // Compared by content: a save may keep the file's identity and even its time stamp.
    const bool same = key_.present && read.status == FileRead::Status::Read && read.bytes == lastBytes_;
    return same ? Change::None : Change::Saved;
}

void StoreFile::adoptReplacement() {
    if (place_.folder && place_.folder->inPlace()) {
        const FolderEntry entry = place_.folder->look(place_.name);
        if (entry.kind == FolderEntry::Kind::File) {
            key_ = keyOf(entry);
        }
    }
}

} // namespace hopwick
