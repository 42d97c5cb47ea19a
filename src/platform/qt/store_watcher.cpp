#include "store_watcher.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>

namespace hopwick {

namespace {

// Long enough to take a save's rename and its folder's change as one; far within the second a window may
// show a stale list.
constexpr int kSettleMilliseconds = 50;
// How long to wait for the user to close a box before the next look.
constexpr int kBusyRetryMilliseconds = 200;
constexpr int kRewatchMilliseconds = 1000;

} // namespace

StoreWatcher::StoreWatcher(MainForm& form, const std::string& storePath)
    : form_(form), file_(QFile::decodeName(QByteArray::fromStdString(storePath))),
      folder_(QFileInfo(file_).absolutePath()) {
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &StoreWatcher::tellForm);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &StoreWatcher::changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &StoreWatcher::changed);
    connect(&rewatch_, &QTimer::timeout, this, [this] {
        if (!watcher_.files().contains(file_) && QFileInfo::exists(file_)) {
            changed(); // appeared unseen, as in a folder that was created meanwhile
        }
    });
    watchWhatExists();
    rewatch_.start(kRewatchMilliseconds);
}

void StoreWatcher::watchWhatExists() {
    if (!watcher_.directories().contains(folder_) && QFileInfo(folder_).isDir()) {
        watcher_.addPath(folder_);
    }
    if (!watcher_.files().contains(file_) && QFileInfo::exists(file_)) {
        watcher_.addPath(file_);
    }
}

void StoreWatcher::changed() {
    watchWhatExists();
    settle_.start(kSettleMilliseconds);
}

void StoreWatcher::tellForm() {
    if (QApplication::activeModalWidget() != nullptr) {
        settle_.start(kBusyRetryMilliseconds);
        return;
    }
    form_.storeChangedOnDisk();
}

} // namespace hopwick
