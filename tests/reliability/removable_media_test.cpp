// A portable copy on real removable media: a file system image mounted where a stick would be (ext4 through a
// loop device; exFAT and NTFS through their FUSE drivers, as desktops mount them). The stick is pulled with a
// lazy unmount, as a desktop does when the user pulls it while a program holds it, and another stick may come
// to the same place. Needs root and the file systems' tools; skipped otherwise.

#include "form_fixture.h"

#include "app/texts.h"

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <unistd.h>

namespace hopwick::testing {
namespace {

namespace fs = std::filesystem;

// The command's exit status, its output dropped; the paths given are the test's own temporary ones.
int run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

std::string firstLineOf(const std::string& command) {
    std::string line;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            line = buffer;
        }
        pclose(pipe);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

// One kind of medium: how an image of it is made and mounted.
struct Medium {
    const char* name;
    const char* tool; // the program that makes the file system, to tell whether it is there
    const char* make;
    bool needsBlockDevice; // its driver mounts a device, not a file
    const char* mount;     // followed by the image or device and the mount point
};

const Medium kMedia[] = {
    {"ext4", "mkfs.ext4", "mkfs.ext4 -q -F", false, "mount -o loop"},
    {"exfat", "mkfs.exfat", "mkfs.exfat", true, "mount.exfat-fuse"},
    {"ntfs", "mkfs.ntfs", "mkfs.ntfs -q -F", false, "ntfs-3g"},
};

// gtest names the case by the medium; this prints it so in the test's output too.
void PrintTo(const Medium& medium, std::ostream* out) {
    *out << medium.name;
}

class RemovableMediaTest : public FormTest, public ::testing::WithParamInterface<Medium> {
protected:
    RemovableMediaTest() { platform.programFolderPath = folder.file("stick/Hopwick"); }

    ~RemovableMediaTest() override {
        form.reset(); // lets go of the held folder, so that the pulled stick can go away
        run("umount -l '" + folder.file("stick") + "'");
        for (const std::string& device : devices_) {
            run("losetup -d " + device);
        }
    }

    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "only root can mount a file system image";
        }
        if (run(std::string("command -v ") + GetParam().tool) != 0) {
            GTEST_SKIP() << GetParam().tool << " is missing (scripts/install-deps.sh installs it)";
        }
        fs::create_directories(folder.file("stick"));
    }

    // Makes a stick holding `items` as the store of the copy on it and mounts it; false when this system
    // cannot mount it (no loop devices or FUSE in a container).
    bool insertStick(const std::string& name, const std::vector<std::string>& items) {
        const std::string image = folder.file(name + ".img");
        std::filesystem::resize_file(folder.write(name + ".img", ""), 16 * 1024 * 1024);
        if (run(std::string(GetParam().make) + " '" + image + "'") != 0) {
            return false;
        }
        std::string source = image;
        if (GetParam().needsBlockDevice) {
            source = firstLineOf("losetup -f --show '" + image + "' 2>/dev/null");
            if (source.empty()) {
                return false;
            }
            devices_.push_back(source);
        }
        if (run(std::string(GetParam().mount) + " '" + source + "' '" + folder.file("stick") + "'") != 0) {
            return false;
        }
        folder.write("stick/Hopwick/SIS", storeRecord(items));
        return true;
    }
    void pullStick() { ASSERT_EQ(run("umount -l '" + folder.file("stick") + "'"), 0); }

private:
    std::vector<std::string> devices_;
};

TEST_P(RemovableMediaTest, APulledStickAndTwoDropsMakeNothingOnTheDiskAndKeepTheList) {
    if (!insertStick("A", {"mine"})) {
        GTEST_SKIP() << "this system cannot mount a " << GetParam().name << " image";
    }
    start();
    EXPECT_EQ(items(), std::vector<std::string>{"mine"});
    pullStick();
    dropFile("/one");
    dropFile("/two");
    EXPECT_FALSE(fs::exists(folder.file("stick/Hopwick"))); // nothing made at the empty mount point
    EXPECT_EQ(items(), (std::vector<std::string>{"mine", "/one", "/two"}));
    EXPECT_EQ(boxesTitled(texts::kStoreLostTitle), 1);
    EXPECT_EQ(boxesTitled(texts::kSaveFailedTitle), 2);
}

TEST_P(RemovableMediaTest, AnotherStickAtTheSamePlaceIsNeitherWrittenNorShown) {
    if (!insertStick("A", {"stick A"})) {
        GTEST_SKIP() << "this system cannot mount a " << GetParam().name << " image";
    }
    start();
    pullStick();
    if (!insertStick("B", {"stick B"})) {
        GTEST_SKIP() << "this system cannot mount a second " << GetParam().name << " image while the first is held";
    }
    form->storeChangedOnDisk();
    EXPECT_EQ(items(), std::vector<std::string>{"stick A"});
    EXPECT_EQ(boxesTitled(texts::kStoreLostTitle), 1);
    dropFile("/dropped");
    EXPECT_EQ(folder.read("stick/Hopwick/SIS"), storeRecord({"stick B"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"stick A", "/dropped"}));

    // OK asks nothing about another window's save (there was none) and refuses.
    platform.forget();
    form->Label2_Click();
    form->Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
    EXPECT_EQ(folder.read("stick/Hopwick/SIS"), storeRecord({"stick B"}));
}

// While the stick stays, saves on it work as anywhere: the held folder is no hindrance.
TEST_P(RemovableMediaTest, SavesOnAStickThatStaysWork) {
    if (!insertStick("A", {"mine"})) {
        GTEST_SKIP() << "this system cannot mount a " << GetParam().name << " image";
    }
    start();
    dropFile("/added");
    form->storeChangedOnDisk();
    EXPECT_EQ(boxesTitled(texts::kSaveFailedTitle), 0);
    EXPECT_EQ(boxesTitled(texts::kStoreLostTitle), 0);
    EXPECT_EQ(folder.read("stick/Hopwick/SIS"), storeRecord({"mine", "/added"}));
}

INSTANTIATE_TEST_SUITE_P(Media, RemovableMediaTest, ::testing::ValuesIn(kMedia),
                         [](const ::testing::TestParamInfo<Medium>& info) { return std::string(info.param.name); });

} // namespace
} // namespace hopwick::testing
