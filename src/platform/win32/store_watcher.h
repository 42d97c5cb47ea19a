#pragma once

#include <windows.h>

#include <string>

namespace hopwick::win32 {

// Watches the store's folder for another process's saves, which replace the file. The folder need not exist
// yet: it is looked for again at every poll.
class StoreWatcher {
public:
    explicit StoreWatcher(const std::string& storePath);
    StoreWatcher(const StoreWatcher&) = delete;
    StoreWatcher& operator=(const StoreWatcher&) = delete;
    ~StoreWatcher();

    // True when the store may have changed since the last poll; never waits.
    bool poll();

private:
    void close();

    std::wstring folder_;
    HANDLE change_ = INVALID_HANDLE_VALUE;
};

} // namespace hopwick::win32
