#include "memory_folder.h"

namespace hopwick::testing {

namespace {

// What a killed process leaves of a rewrite in place: the new bytes up to where it stopped.
std::string torn(const std::string& old, std::string_view fresh) {
    const std::size_t cut = fresh.size() / 2;
    std::string mix(fresh.substr(0, cut));
    if (old.size() > cut) {
        mix += old.substr(cut);
    }
    return mix;
}

class MemoryFile final : public FolderFile {
public:
    MemoryFile(MemoryWorld& world, std::uint64_t index) : world_(world), index_(index) {}
    std::uint64_t volume() override { return 1; }
    std::uint64_t index() override { return index_; }
    std::string lock(bool) override { return fail("lock"); }
    void unlock() override {}
    FileRead read(std::size_t maxBytes) override {
        FileRead read;
        if (std::string failure = fail("read"); !failure.empty()) {
            read.status = FileRead::Status::Failed;
            read.error = failure;
            return read;
        }
        const std::string& bytes = world_.files.at(index_).bytes;
        read.status = FileRead::Status::Read;
        read.bytes = bytes.substr(0, maxBytes);
        read.truncated = bytes.size() > maxBytes;
        return read;
    }
    std::string rewrite(std::string_view bytes) override {
        MemoryWorld::File& file = world_.files.at(index_);
        try {
            if (std::string failure = fail("rewrite"); !failure.empty()) {
                return failure;
            }
        } catch (...) {
            file.bytes = torn(file.bytes, bytes);
            file.writes.insert("rewrite");
            throw;
        }
        file.bytes = std::string(bytes);
        file.writes.insert("rewrite");
        return {};
    }

private:
    std::string fail(const std::string& operation) { return world_.fault ? world_.fault(operation) : std::string(); }
    MemoryWorld& world_;
    std::uint64_t index_;
};

class MemoryFolder final : public StoreFolder {
public:
    MemoryFolder(MemoryWorld& world, std::string path, std::uint64_t index)
        : world_(world), path_(std::move(path)), index_(index), process_(world.process) {}

    bool inPlace() override {
        const auto found = world_.paths.find(path_);
        return found != world_.paths.end() && found->second == index_;
    }
    std::uint64_t volume() override { return 1; }
    std::uint64_t index() override { return index_; }

    FolderEntry look(const std::string& name) override {
        FolderEntry entry;
        if (std::string failure = fail("look"); !failure.empty()) {
            entry.kind = FolderEntry::Kind::Failed;
            entry.error = failure;
            return entry;
        }
        const MemoryWorld::Entry* found = find(name);
        if (found == nullptr) {
            return entry;
        }
        if (found->kind != MemoryWorld::Entry::Kind::File) {
            entry.kind = FolderEntry::Kind::Other;
            return entry;
        }
        entry.kind = FolderEntry::Kind::File;
        entry.volume = 1;
        entry.index = found->target;
        entry.hidden = name.starts_with('.');
        entry.ownedByUser = world_.files.at(found->target).ownedByUser;
        return entry;
    }

    std::unique_ptr<FolderFile> open(const std::string& name, bool, std::string& error) override {
        if (error = fail("open"); !error.empty()) {
            return nullptr;
        }
        const MemoryWorld::Entry* found = find(name);
        if (found == nullptr || found->kind != MemoryWorld::Entry::Kind::File) {
            error = found == nullptr ? "missing" : "not a file";
            return nullptr;
        }
        return std::make_unique<MemoryFile>(world_, found->target);
    }

    std::string create(const std::string& name, std::string_view bytes, bool) override {
        if (std::string failure = fail("create"); !failure.empty()) {
            return failure;
        }
        const std::uint64_t file = world_.putFile(index_, name, std::string(bytes));
        world_.files.at(file).writes.insert("create");
        return {};
    }

    std::string rename(const std::string& from, const std::string& to, bool replace) override {
        if (std::string failure = fail("rename"); !failure.empty()) {
            return failure;
        }
        auto& entries = world_.folders.at(index_).entries;
        const auto source = entries.find(from);
        if (source == entries.end()) {
            return "missing";
        }
        if (!replace && entries.contains(to)) {
            return "exists";
        }
        const MemoryWorld::Entry moved = source->second;
        entries.erase(source);
        entries[to] = moved;
        return {};
    }

    void remove(const std::string& name) override {
        if (fail("remove").empty()) {
            world_.folders.at(index_).entries.erase(name);
        }
    }

    std::vector<std::string> names() override {
        std::vector<std::string> found;
        for (const auto& [name, entry] : world_.folders.at(index_).entries) {
            found.push_back(name);
        }
        return found;
    }

    std::uint64_t processId() override { return process_; }
    bool processGone(std::uint64_t processId) override { return !world_.liveProcesses.contains(processId); }

private:
    std::string fail(const std::string& operation) { return world_.fault ? world_.fault(operation) : std::string(); }
    const MemoryWorld::Entry* find(const std::string& name) const {
        const auto& entries = world_.folders.at(index_).entries;
        const auto found = entries.find(name);
        return found == entries.end() ? nullptr : &found->second;
    }

    MemoryWorld& world_;
    std::string path_;
    std::uint64_t index_;
    std::uint64_t process_;
};

} // namespace

std::uint64_t MemoryWorld::makeFolder(const std::string& path) {
    const std::uint64_t index = nextIndex++;
    folders[index];
    paths[path] = index;
    return index;
}

std::uint64_t MemoryWorld::putFile(std::uint64_t folder, const std::string& name, std::string bytes, bool ownedByUser) {
    const std::uint64_t index = nextIndex++;
    files[index] = File{std::move(bytes), ownedByUser, {}};
    folders.at(folder).entries[name] = Entry{Entry::Kind::File, index};
    return index;
}

const MemoryWorld::File* MemoryWorld::fileAt(const std::string& path, const std::string& name) const {
    const auto folder = paths.find(path);
    if (folder == paths.end()) {
        return nullptr;
    }
    const auto& entries = folders.at(folder->second).entries;
    const auto entry = entries.find(name);
    if (entry == entries.end() || entry->second.kind != Entry::Kind::File) {
        return nullptr;
    }
    return &files.at(entry->second.target);
}

std::unique_ptr<StoreFolder> MemoryWorld::open(const std::string& path) {
    const auto found = paths.find(path);
    if (found == paths.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryFolder>(*this, path, found->second);
}

} // namespace hopwick::testing
