// The fuzzers' seed corpus holds real stores: every sound one is exactly what Hopwick writes for the list it
// holds, every damaged one is reported once, and every other one loads silently.

#include "folder_listing.h"
#include "form_fixture.h"

#include "app/texts.h"

namespace hopwick::testing {
namespace {

class SeedCorpusTest : public FormTest {};

TEST_F(SeedCorpusTest, HoldsRealStores) {
    int seeds = 0;
    for (const std::string& name : entriesOf(HOPWICK_FUZZ_CORPUS)) {
        SCOPED_TRACE(name);
        ++seeds;
        const std::string bytes = contentOf(std::filesystem::path(HOPWICK_FUZZ_CORPUS) / name);
        writeStore(bytes);
        platform.forget();
        MainForm seed(platform);
        seed.Form_Load();
        if (name.starts_with("damaged-")) {
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].title, texts::kStoreDamagedTitle);
            continue;
        }
        EXPECT_TRUE(platform.messages.empty());
        if (name.starts_with("sound-")) {
            seed.SI();
            EXPECT_EQ(storeBytes(), bytes);
        }
    }
    EXPECT_GE(seeds, 20);
}

} // namespace
} // namespace hopwick::testing
