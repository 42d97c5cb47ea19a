#pragma once

#include <string>
#include <utility>
#include <vector>

namespace hopwick {

inline constexpr int kFormatFiles = 15; // the shell's list of dropped files
inline constexpr int kDropEffectCopy = 1;

// What a drag and drop carries, as the drop handlers see it.
class DataObject {
public:
    static DataObject files(std::vector<std::string> paths) { return DataObject(true, std::move(paths)); }
    static DataObject other() { return DataObject(false, {}); }

    bool GetFormat(int format) const { return format == kFormatFiles && hasFiles_; }
    int FilesCount() const { return static_cast<int>(files_.size()); }
    // Positions count from 1; "" outside them.
    std::string FilesItem(int position) const {
        return position >= 1 && position <= FilesCount() ? files_[static_cast<std::size_t>(position - 1)]
                                                         : std::string();
    }

private:
    DataObject(bool hasFiles, std::vector<std::string> paths) : hasFiles_(hasFiles), files_(std::move(paths)) {}
    bool hasFiles_;
    std::vector<std::string> files_;
};

} // namespace hopwick
