#include "platform/win32/store_watcher.h"

#include "platform/windows/path_parts.h"
#include "platform/windows/wide_text.h"

namespace hopwick::win32 {

namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

} // namespace

StoreWatcher::StoreWatcher(const std::string& storePath) : folder_(longForm(folderOf(widen(storePath)))) {}

StoreWatcher::~StoreWatcher() {
    close();
}

bool StoreWatcher::poll() {
    if (change_ == INVALID_HANDLE_VALUE) {
        change_ = FindFirstChangeNotificationW(folder_.c_str(), FALSE, kChanges);
        // A folder that has just appeared may hold a store that no notification announced.
        return change_ != INVALID_HANDLE_VALUE;
    }
    if (WaitForSingleObject(change_, 0) != WAIT_OBJECT_0) {
        return false;
    }
    if (!FindNextChangeNotification(change_)) {
        close(); // the folder is gone; it is looked for again at the next poll
    }
    return true;
}

void StoreWatcher::close() {
    if (change_ != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(change_);
        change_ = INVALID_HANDLE_VALUE;
    }
}

} // namespace hopwick::win32
