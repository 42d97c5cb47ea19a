// A long scripted session: thousands of handler calls in a random but repeatable order keep the list and
// the store consistent at every save and every Cancel, report nothing as damaged or unsaved, and use no
// more memory at the end than after warming up.

#include "form_fixture.h"
#include "process_counts.h"
#include "store_lists.h"

#include "app/texts.h"

#include <random>

namespace hopwick::testing {
namespace {

constexpr int kCalls = 10000;
constexpr int kWarmUpCalls = 2000;
constexpr std::size_t kHeapGrowthAllowed = 64 * 1024;

class LongSessionTest : public FormTest {
protected:
    LongSessionTest() : random_(19990401) {
        for (int i = 0; i < 6; ++i) {
            files_.push_back(makeFile("program " + std::to_string(i) + ".exe"));
        }
        files_.push_back(folder.file("gone.exe")); // dropped, then missing at its launch
        pictures_ = {makePicture("back.bmp"), makeFile("not-a-picture.bmp")};
    }

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    MessageAnswer answer() { return pick(2) == 0 ? MessageAnswer::Yes : MessageAnswer::No; }
    void selectSomething() { form->List1.setListIndex(pick(form->List1.ListCount() + 1) - 1); }

    // One handler call of the script, with what it needs set up the way a user would; true for Cancel.
    bool call() {
        platform.messageAnswers.clear();
        platform.dialogResults.clear();
        switch (pick(13)) {
        case 0:
            form->Text1.setTextFromUser(files_[static_cast<std::size_t>(pick(6))]);
            form->Command20_Click();
            break;
        case 1:
            form->Text1.setTextFromUser(pick(2) == 0 ? "" : "no such file");
            form->Command20_Click();
            break;
        case 2:
            selectSomething();
            form->Command8_Click();
            break;
        case 3:
            selectSomething();
            form->Command9_Click();
            break;
        case 4:
            selectSomething();
            form->Command2_Click();
            break;
        case 5:
            platform.messageAnswers = {answer()};
            form->Command5_Click();
            break;
        case 6: drop(); break;
        case 7: form->Command1_Click(); break;
        case 8: form->Command6_Click(); return true;
        case 9: form->Label2_Click(); break;
        case 10:
            platform.dialogResults = {pick(3) == 0 ? std::nullopt
                                                   : std::optional(pictures_[static_cast<std::size_t>(pick(2))])};
            form->Command4_Click();
            break;
        case 11: form->Command7_Click(); break;
        default:
            if (form->List1.ListCount() > 0) {
                form->List1.clickEntry(pick(form->List1.ListCount()));
            }
        }
        return false;
    }

    void drop() {
        std::vector<std::string> dropped;
        for (int i = 0, count = 1 + pick(3); i < count; ++i) {
            dropped.push_back(files_[static_cast<std::size_t>(pick(static_cast<int>(files_.size())))]);
            platform.messageAnswers.push_back(answer());
        }
        int effect = 0;
        form->Form_OLEDragDrop(DataObject::files(dropped), effect, 1, 0, 0, 0);
    }

    bool saved() const {
        return std::any_of(platform.events.begin(), platform.events.end(),
                           [](const std::string& event) { return event.starts_with("write: "); });
    }

    void expectNoFailureReported(int number) const {
        for (const RecordedMessage& message : platform.messages) {
            ASSERT_NE(message.title, texts::kStoreDamagedTitle) << "call " << number;
            ASSERT_NE(message.title, texts::kSaveFailedTitle) << "call " << number << ": " << message.prompt;
        }
    }

    std::mt19937 random_;
    std::vector<std::string> files_;
    std::vector<std::string> pictures_;
};

TEST_F(LongSessionTest, TenThousandCallsKeepListAndStoreConsistentInFlatMemory) {
    form->Form_Load();
    StoredList lastSaved = listShown(*form);
    std::size_t heapAfterWarmUp = 0;
    std::size_t heapHighest = 0;
    int saves = 0;
    for (int number = 1; number <= kCalls; ++number) {
        const bool cancelled = call();
        expectNoFailureReported(number);
        ASSERT_LE(form->List1.ListCount(), kStoreSlots) << "call " << number;
        if (saved()) {
            ++saves;
            lastSaved = listShown(*form);
            platform.forget();
            MainForm fresh(platform);
            fresh.Form_Load();
            ASSERT_EQ(listShown(fresh), lastSaved) << "call " << number << ": the store differs from the list";
            ASSERT_TRUE(platform.messages.empty()) << "call " << number << ": " << platform.messages[0].prompt;
        }
        if (cancelled) {
            ASSERT_EQ(listShown(*form), lastSaved) << "call " << number << ": Cancel did not bring back the store";
        }
        platform.forget();
        if (number == kWarmUpCalls) {
            heapAfterWarmUp = heapBytesInUse();
        } else if (number > kWarmUpCalls && number % 500 == 0) {
            heapHighest = std::max(heapHighest, heapBytesInUse());
        }
    }
    EXPECT_GT(saves, 500);
    EXPECT_LE(heapHighest, heapAfterWarmUp + kHeapGrowthAllowed)
        << "the heap grew from " << heapAfterWarmUp << " to " << heapHighest << " bytes after warming up";
}

} // namespace
} // namespace hopwick::testing
