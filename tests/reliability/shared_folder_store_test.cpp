// A portable copy in a sticky folder that anyone may write (/tmp): another user's symbolic link named SIS
// there is neither loaded nor saved through.

#include "form_fixture.h"

#include "app/texts.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

namespace fs = std::filesystem;

class SharedFolderStoreTest : public FormTest {
protected:
    SharedFolderStoreTest() { platform.programFolderPath = folder.file("copy"); }
    std::string copyStore() const { return folder.file("copy/SIS"); }
};

// A copy in a sticky folder that anyone may write (/tmp): another user's link named SIS there would make the
// load show, and the save overwrite, a file of the user's own that the other chose.
TEST_F(SharedFolderStoreTest, AnotherUsersLinkIsNotFollowed) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can make a link that belongs to another user";
    }
    const std::string victim = folder.write("private", "precious");
    fs::create_directory(folder.file("copy"));
    ASSERT_EQ(chmod(folder.file("copy").c_str(), 01777), 0);
    fs::create_symlink(victim, copyStore());
    ASSERT_EQ(lchown(copyStore().c_str(), 65534, 65534), 0);

    form->Form_Load();
    EXPECT_EQ(items(), kDefaultItems);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kStoreDamagedTitle);
    platform.forget();
    form->SI();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kSaveFailedTitle);
    EXPECT_NE(platform.messages[0].prompt.find("Symbolic link of another user in a shared folder"), std::string::npos);
    EXPECT_EQ(folder.read("private"), "precious");
    EXPECT_TRUE(fs::is_symlink(copyStore()));
}

} // namespace
} // namespace hopwick::testing
