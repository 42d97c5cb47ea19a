// Two launchers saving different lists into one store at the same time: every read of a launcher in between
// (which waits while a save copies in place) sees one whole record of one of them, and neither launcher ever
// loads anything else or fails to save.

#include "child_process.h"
#include "folder_listing.h"
#include "form_fixture.h"
#include "store_lists.h"

#include <sys/wait.h>

namespace hopwick::testing {
namespace {

constexpr const char* kSeconds = "3";

class TwoLaunchersTest : public FormTest {};

TEST_F(TwoLaunchersTest, EveryReadSeesOneWholeRecordOfOneOfThem) {
    const std::string a = storeBytesOf(platform, storedList('A'));
    const std::string b = storeBytesOf(platform, storedList('B'));
    writeStore(a);
    std::vector<pid_t> launchers{startHelper({"save-loop", folder.path().string(), "A", kSeconds}),
                                 startHelper({"save-loop", folder.path().string(), "B", kSeconds})};
    ASSERT_GT(launchers[0], 0);
    ASSERT_GT(launchers[1], 0);

    int reads = 0;
    int readsOfA = 0;
    int readsOfB = 0;
    std::vector<int> statuses;
    while (statuses.size() < launchers.size()) {
        const std::string bytes = platform.readFile(storePath(), 1 << 20).bytes;
        ASSERT_TRUE(bytes == a || bytes == b) << "read " << reads << " saw " << bytes.size() << " bytes of neither";
        readsOfA += bytes == a ? 1 : 0;
        readsOfB += bytes == b ? 1 : 0;
        if (++reads % 16 == 0) {
            MainForm reader(platform);
            reader.Form_Load();
            ASSERT_TRUE(platform.messages.empty()) << platform.messages[0].prompt;
            const StoredList shown = listShown(reader);
            ASSERT_TRUE(shown == storedList('A') || shown == storedList('B')) << ::testing::PrintToString(shown);
        }
        for (pid_t& launcher : launchers) {
            int status = 0;
            if (launcher > 0 && waitpid(launcher, &status, WNOHANG) == launcher) {
                statuses.push_back(status);
                launcher = 0;
            }
        }
    }
    for (int status : statuses) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a launcher failed with status " << status;
    }
    // Both really wrote while the other did.
    EXPECT_GT(readsOfA, 0);
    EXPECT_GT(readsOfB, 0);
    EXPECT_EQ(entriesOf(folder.path()), std::vector<std::string>{"SIS"});
    std::cout << reads << " reads: " << readsOfA << " of A, " << readsOfB << " of B\n";
}

} // namespace
} // namespace hopwick::testing
