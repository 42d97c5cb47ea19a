#include "store/unflushed_platform.h"

#include "platform/store_folder.h"

#include <fstream>

namespace hopwick::bench {

namespace {

std::string overwrite(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? std::string() : "cannot write " + path;
}

// The store once opened, whose copying in is left out: the content is in it already.
class OverwrittenFile final : public FolderFile {
public:
    explicit OverwrittenFile(std::unique_ptr<FolderFile> file) : file_(std::move(file)) {}
    std::uint64_t volume() override { return file_->volume(); }
    std::uint64_t index() override { return file_->index(); }
    std::string lock(bool exclusive) override { return file_->lock(exclusive); }
    void unlock() override { file_->unlock(); }
    FileRead read(std::size_t maxBytes) override { return file_->read(maxBytes); }
    std::string rewrite(std::string_view) override { return {}; }

private:
    std::unique_ptr<FolderFile> file_;
};

// The store's real folder, whose one save writes the store directly where the program writes a copy beside
// it; the copy's renames and its copying in are then left out.
class OverwrittenFolder final : public StoreFolder {
public:
    OverwrittenFolder(std::unique_ptr<StoreFolder> folder, std::string path, std::string name)
        : folder_(std::move(folder)), path_(std::move(path)), name_(std::move(name)) {}
    bool inPlace() override { return folder_->inPlace(); }
    std::uint64_t volume() override { return folder_->volume(); }
    std::uint64_t index() override { return folder_->index(); }
    FolderEntry look(const std::string& name) override { return folder_->look(name == name_ ? name : name_); }
    std::unique_ptr<FolderFile> open(const std::string& name, bool forWriting, std::string& error) override {
        std::unique_ptr<FolderFile> file = folder_->open(name, forWriting, error);
        return file && forWriting ? std::make_unique<OverwrittenFile>(std::move(file)) : std::move(file);
    }
    std::string create(const std::string&, std::string_view bytes, bool) override { return overwrite(path_, bytes); }
    std::string rename(const std::string&, const std::string&, bool) override { return {}; }
    void remove(const std::string&) override {}
    std::vector<std::string> names() override { return {}; }
    std::uint64_t processId() override { return folder_->processId(); }
    bool processGone(std::uint64_t processId) override { return folder_->processGone(processId); }

private:
    std::unique_ptr<StoreFolder> folder_;
    std::string path_;
    std::string name_;
};

} // namespace

StorePlace UnflushedPlatform::openStorePlace(const std::string& path, bool makeFolder) {
    StorePlace place = BenchPlatform::openStorePlace(path, makeFolder);
    if (place.folder) {
        place.folder = std::make_unique<OverwrittenFolder>(std::move(place.folder), path, place.name);
    }
    return place;
}

} // namespace hopwick::bench
