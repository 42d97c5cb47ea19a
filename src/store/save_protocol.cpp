#include "store/save_protocol.h"

#include "app/texts.h"

#include <charconv>

namespace hopwick {

namespace {

constexpr std::string_view kCopyMark = ".hopwick-";
constexpr std::string_view kUnfinishedEnd = ".tmp";
constexpr std::string_view kCompleteEnd = ".new";

std::string copyPrefix(const std::string& name) {
    return "." + name + std::string(kCopyMark);
}

std::string copyName(StoreFolder& folder, const std::string& name, std::string_view end) {
    return copyPrefix(name) + std::to_string(folder.processId()) + std::string(end);
}

struct CopyName {
    bool isCopy = false;
    bool complete = false;
    std::uint64_t writer = 0;
};

CopyName parseCopyName(std::string_view candidate, const std::string& prefix) {
    CopyName copy;
    copy.complete = candidate.ends_with(kCompleteEnd);
    if (!candidate.starts_with(prefix) || (!copy.complete && !candidate.ends_with(kUnfinishedEnd)) ||
        candidate.size() <= prefix.size() + kCompleteEnd.size()) {
        return copy;
    }
    const std::string_view digits = candidate.substr(prefix.size(), candidate.size() - prefix.size() - 4);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return copy;
    }
    std::from_chars(digits.data(), digits.data() + digits.size(), copy.writer);
    copy.isCopy = true;
    return copy;
}

StoreSave failed(std::string reason) {
    return {false, std::move(reason), {}};
}

// Under the store's lock, once a whole content is in it: the complete copies of writers that died are out
// of date, as this content came after them.
void discardOutdatedCopies(StoreFolder& folder, const std::string& name) {
    const std::string prefix = copyPrefix(name);
    for (const std::string& candidate : folder.names()) {
        const CopyName copy = parseCopyName(candidate, prefix);
        if (copy.isCopy && copy.complete && folder.processGone(copy.writer) &&
            folder.look(candidate).kind == FolderEntry::Kind::File) {
            folder.remove(candidate);
        }
    }
}

// A store that does not exist yet appears whole: its content goes into a new file that is then renamed,
// never over a file that appeared meanwhile.
StoreSave createStore(StoreFolder& folder, const std::string& name, std::string_view bytes) {
    const std::string unfinished = copyName(folder, name, kUnfinishedEnd);
    if (std::string failure = folder.create(unfinished, bytes, false); !failure.empty()) {
        return failed(std::move(failure));
    }
    const FolderEntry made = folder.look(unfinished);
    if (made.kind != FolderEntry::Kind::File) {
        folder.remove(unfinished);
        return failed(texts::kStoreReplacedPrompt);
    }
    if (std::string failure = folder.rename(unfinished, name, false); !failure.empty()) {
        folder.remove(unfinished);
        // Whatever came meanwhile is someone else's file: it is not overwritten.
        return failed(folder.look(name).kind == FolderEntry::Kind::Missing ? failure : texts::kStoreReplacedPrompt);
    }
    return {true, {}, {true, made.volume, made.index}};
}

StoreSave rewriteStore(StoreFolder& folder, const std::string& name, const StoreKey& expected, std::string_view bytes) {
    std::string failure;
    const std::unique_ptr<FolderFile> store = folder.open(name, true, failure);
    if (!store) {
        return failed(std::move(failure));
    }
    // The name may have been given to another file since it was looked at: the open file decides.
    if (store->volume() != expected.volume || store->index() != expected.index) {
        return failed(texts::kStoreReplacedPrompt);
    }
    const std::string unfinished = copyName(folder, name, kUnfinishedEnd);
    const std::string complete = copyName(folder, name, kCompleteEnd);
    // Only we may read the copy: the store itself may be private.
    if (failure = folder.create(unfinished, bytes, true); !failure.empty()) {
        return failed(std::move(failure));
    }
    if (failure = folder.rename(unfinished, complete, true); !failure.empty()) {
        folder.remove(unfinished);
        return failed(std::move(failure));
    }
    failure = store->lock(true);
    if (failure.empty()) {
        failure = store->rewrite(bytes);
        if (failure.empty()) {
            discardOutdatedCopies(folder, name);
        }
        folder.remove(complete);
        store->unlock();
    } else {
        folder.remove(complete);
    }
    return failure.empty() ? StoreSave{true, {}, expected} : failed(std::move(failure));
}

// Copies a complete copy that a dead writer left into the store, under the store's lock.
void finishCopy(StoreFolder& folder, const std::string& copyName, const std::string& name) {
    std::string failure;
    const std::unique_ptr<FolderFile> store = folder.open(name, true, failure);
    if (!store) {
        if (folder.look(name).kind == FolderEntry::Kind::Missing) {
            folder.remove(copyName); // the store was removed since: nothing is left to mend
        }
        return;
    }
    if (!store->lock(true).empty()) {
        return;
    }
    // Another start may have finished it while we waited for the lock.
    if (const std::unique_ptr<FolderFile> copy = folder.open(copyName, false, failure)) {
        const FileRead content = copy->read(kStoreReadLimit);
        if (content.status == FileRead::Status::Read && !content.truncated && store->rewrite(content.bytes).empty()) {
            folder.remove(copyName);
        }
    }
    store->unlock();
}

} // namespace

StoreSave saveStore(StoreFolder& folder, const std::string& name, const StoreKey& expected, std::string_view bytes) {
    if (!folder.inPlace()) {
        return failed(texts::kStoreFolderGonePrompt);
    }
    const FolderEntry entry = folder.look(name);
    switch (entry.kind) {
    case FolderEntry::Kind::Failed: return failed(entry.error);
    case FolderEntry::Kind::Other: return failed(texts::kStoreNotAFilePrompt);
    case FolderEntry::Kind::Missing:
        // A store removed meanwhile is simply written again.
        return createStore(folder, name, bytes);
    case FolderEntry::Kind::File: break;
    }
    if (!expected.present || entry.volume != expected.volume || entry.index != expected.index) {
        return failed(texts::kStoreReplacedPrompt);
    }
    return rewriteStore(folder, name, expected, bytes);
}

void recoverStore(StoreFolder& folder, const std::string& name) {
    const std::string prefix = copyPrefix(name);
    for (const std::string& candidate : folder.names()) {
        const CopyName copy = parseCopyName(candidate, prefix);
        if (!copy.isCopy || !folder.processGone(copy.writer)) {
            continue;
        }
        const FolderEntry entry = folder.look(candidate);
        if (entry.kind != FolderEntry::Kind::File) {
            continue;
        }
        // Anyone may put files into a shared folder: only our own copy goes into our store.
        if (!copy.complete) {
            folder.remove(candidate);
        } else if (entry.ownedByUser) {
            finishCopy(folder, candidate, name);
        }
    }
}

} // namespace hopwick
