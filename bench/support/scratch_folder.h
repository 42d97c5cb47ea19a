#pragma once

#include <string>

namespace hopwick::bench {

// A fresh folder on the same disk as the system's temporary folder, removed with its content at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& purpose);
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& path() const { return path_; }
    // The full path of `name` inside the folder; its parent folders are created.
    std::string file(const std::string& name) const;
    // The full path of the folder `name` inside the folder, created with its parents.
    std::string folder(const std::string& name) const;

private:
    std::string path_;
};

} // namespace hopwick::bench
