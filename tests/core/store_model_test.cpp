// The store component driven at random through loads, saves, follows, kills and recoveries, while the world
// removes and replaces the folder, puts links and other files in the store's place, writes the store from
// another window and fails writes, over the in-memory double of the store's folder. After every step: no
// file but the store is written, a load shows only the store's own content, and the store holds a whole
// record. A failure names its seed and the steps that led to it.

#include "memory_folder.h"
#include "windowless_platform.h"

#include "store/store_file.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

namespace hopwick::testing {
namespace {

constexpr int kSequences = 20000;
constexpr int kStepsPerSequence = 40;

struct Killed {};

class ModelPlatform final : public WindowlessPlatform {
public:
    explicit ModelPlatform(MemoryWorld& world) : WindowlessPlatform("/stick"), world_(world) {}
    bool isInstalledCopy() override { return false; }
    StorePlace openStorePlace(const std::string& path, bool) override {
        StorePlace place;
        place.name = "SIS";
        place.folder = path == "/stick/SIS" ? world_.open("/stick") : nullptr;
        place.missing = !place.folder;
        return place;
    }

private:
    MemoryWorld& world_;
};

class Model {
public:
    explicit Model(unsigned seed) : random_(seed) {
        const std::uint64_t stick = world_.makeFolder("/stick");
        const std::uint64_t store = world_.putFile(stick, "SIS", record("first"));
        (void)store;
        const std::uint64_t home = world_.makeFolder("/home");
        foreign_.insert(world_.putFile(home, "other", "the user's own file"));
        world_.fault = [this](const std::string& operation) { return fault(operation); };
        restart();
    }

    std::string run() {
        for (int step = 0; step < kStepsPerSequence; ++step) {
            try {
                act();
            } catch (const Killed&) {
                steps_ += "  killed\n";
                restart();
            }
            if (std::string broken = check(); !broken.empty()) {
                return steps_ + "broken: " + broken;
            }
        }
        return {};
    }

private:
    std::string record(const std::string& item) {
        std::string line = "\"" + item + "\"";
        for (int i = 1; i < 41; ++i) {
            line += ",\"\"";
        }
        const std::string whole = line + "\r\n";
        records_.insert(whole);
        return whole;
    }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string fault(const std::string& operation) {
        if (failNext_ && (operation == "create" || operation == "rewrite")) {
            failNext_ = false;
            return "disk full";
        }
        if (readOnly_ &&
            (operation == "create" || operation == "rename" || operation == "remove" || operation == "rewrite")) {
            return "permission denied";
        }
        if (killAt_ > 0 && --killAt_ == 0) {
            throw Killed{};
        }
        return {};
    }

    void restart() {
        killAt_ = 0;
        world_.liveProcesses.erase(world_.process);
        world_.process = world_.nextIndex++;
        world_.liveProcesses.insert(world_.process);
        store_ = std::make_unique<StoreFile>(platform_);
        heldStick_ = world_.paths.contains("/stick") ? world_.paths.at("/stick") : 0;
        shown(store_->load());
        // A new start takes what stands in the store's place then: from now on it is the store.
        foreign_.erase(store_->key().index);
    }

    // Loads, and checks what the load would show.
    void loadAgain() {
        const bool hadStore = store_->key().present;
        const StoreFile::Load load = store_->load();
        // Where there was no store, a file that appears is the store's first save, whoever made it.
        if (!hadStore && load.kind == StoreFile::Load::Kind::Read) {
            foreign_.erase(store_->key().index);
        }
        shown(load);
    }

    void shown(const StoreFile::Load& load) {
        if (load.kind != StoreFile::Load::Kind::Read) {
            return;
        }
        const MemoryWorld::File* file = storeFile();
        if (file == nullptr || file->bytes != load.bytes) {
            broken_ = "a load showed what the store does not hold";
        }
    }

    const MemoryWorld::File* storeFile() const {
        const auto found = world_.files.find(store_->key().index);
        return store_->key().present && found != world_.files.end() ? &found->second : nullptr;
    }

    void act() {
        const std::uint64_t stick = world_.paths.contains("/stick") ? world_.paths.at("/stick") : 0;
        switch (pick(15)) {
        case 0:
        case 1:
            steps_ += "  save\n";
            store_->save(record("save " + std::to_string(++saves_)));
            break;
        case 2:
            steps_ += "  load\n";
            loadAgain();
            break;
        case 3:
        case 4:
            steps_ += "  follow\n";
            if (const StoreFile::Change change = store_->lookAgain();
                change == StoreFile::Change::Saved || change == StoreFile::Change::Removed) {
                loadAgain();
            }
            break;
        case 5:
            if (const MemoryWorld::File* file = storeFile(); file != nullptr && stick != 0) {
                steps_ += "  another window saves in place\n";
                world_.files.at(store_->key().index).bytes = record("theirs " + std::to_string(++saves_));
            }
            break;
        case 6:
            steps_ += "  the stick is pulled\n";
            world_.paths.erase("/stick");
            break;
        case 7:
            steps_ += "  another stick at the same path\n";
            foreign_.insert(world_.putFile(world_.makeFolder("/stick"), "SIS", record("stick B")));
            break;
        case 8:
            if (stick != 0) {
                steps_ += "  a link in the store's place\n";
                world_.folders.at(stick).entries["SIS"] = {MemoryWorld::Entry::Kind::Link, 0};
            }
            break;
        case 9:
            if (stick != 0) {
                steps_ += "  another file in the store's place\n";
                foreign_.insert(world_.putFile(stick, "SIS", record("put in place")));
            }
            break;
        case 10:
            steps_ += "  the next write fails\n";
            failNext_ = true;
            break;
        case 11:
            killAt_ = 1 + pick(8);
            steps_ += "  a kill after " + std::to_string(killAt_) + " operations\n";
            break;
        case 12:
            readOnly_ = !readOnly_;
            steps_ += readOnly_ ? "  the folder is made read-only\n" : "  the folder is writable again\n";
            break;
        case 13:
            if (stick != 0 && stick == heldStick_ && !foreignInPlace(stick)) {
                steps_ += "  another window saves through the same protocol\n";
                anotherWindowSaves();
            }
            break;
        case 14:
            steps_ += "  a whole restart\n";
            restart();
            break;
        }
    }

    bool foreignInPlace(std::uint64_t stick) const {
        const auto& entries = world_.folders.at(stick).entries;
        const auto found = entries.find("SIS");
        return found != entries.end() &&
               (found->second.kind != MemoryWorld::Entry::Kind::File || foreign_.contains(found->second.target));
    }

    // A second window of another process, started now on the same stick, saves once; a kill waits for our
    // own next operation.
    void anotherWindowSaves() {
        const std::uint64_t ours = world_.process;
        const int killAt = std::exchange(killAt_, 0);
        world_.process = world_.nextIndex++;
        world_.liveProcesses.insert(world_.process);
        StoreFile theirs(platform_);
        const bool hadStore = theirs.load().kind == StoreFile::Load::Kind::Read;
        theirs.save(record("their window " + std::to_string(++saves_)));
        if (!hadStore && theirs.key().present) {
            foreign_.erase(theirs.key().index); // their first save made the store
        }
        world_.liveProcesses.erase(world_.process);
        world_.process = ours;
        killAt_ = killAt;
    }

    std::string check() {
        if (!broken_.empty()) {
            return broken_;
        }
        for (const std::uint64_t file : foreign_) {
            if (!world_.files.at(file).writes.empty()) {
                return "a file that is not the store was written";
            }
        }
        if (killAt_ == 0) {
            if (const MemoryWorld::File* file = storeFile(); file != nullptr && !records_.contains(file->bytes)) {
                return "the store holds no whole record";
            }
        }
        return {};
    }

    std::mt19937 random_;
    MemoryWorld world_;
    ModelPlatform platform_{world_};
    std::unique_ptr<StoreFile> store_;
    std::set<std::uint64_t> foreign_;
    std::set<std::string> records_;
    std::string steps_;
    std::string broken_;
    std::uint64_t heldStick_ = 0;
    bool failNext_ = false;
    bool readOnly_ = false;
    int killAt_ = 0;
    int saves_ = 0;
};

TEST(StoreModelTest, NoSequenceOfEventsLeadsTheStoreAstray) {
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        Model model(seed);
        const std::string failure = model.run();
        ASSERT_EQ(failure, "") << "seed " << seed << ":\n" << failure;
    }
}

} // namespace
} // namespace hopwick::testing
