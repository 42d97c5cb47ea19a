#include "form_fixture.h"

#include "app/texts.h"
#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class PictureTest : public FormTest {
protected:
    void SetUp() override {
        start();
        form->Label2_Click();
        platform.forget();
    }
    std::string shown() const {
        const auto* fake = dynamic_cast<const FakePicture*>(form->Form.Picture().get());
        return fake ? fake->path : std::string();
    }
};

TEST_F(PictureTest, AChosenPictureShowsAtOnceAndIsStoredByOk) {
    const std::string picture = makePicture("wall.bmp");
    platform.dialogResults = {picture};
    form->Command4_Click();
    EXPECT_EQ(shown(), picture);
    EXPECT_EQ(form->PicturePath, picture);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].flags, 4);
    EXPECT_EQ(platform.dialogs[0].filter, expected::kPictureFilter);
    EXPECT_EQ(platform.focusMoves, (std::vector<ControlId>{ControlId::Command1, ControlId::Form}));
    EXPECT_FALSE(storeExists()); // nothing is saved by choosing
    form->Command1_Click();
    EXPECT_EQ(storeBytes(), storeRecord(kDefaultItems, picture));
}

TEST_F(PictureTest, CancellingBeforeAnyChoiceChangesNothing) {
    form->Command4_Click();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(form->PicturePath, "");
    EXPECT_TRUE(platform.focusMoves.empty());
}

TEST_F(PictureTest, CancellingAfterARemovalBringsTheLastChoiceBack) {
    const std::string picture = makePicture("icon.ico");
    platform.dialogResults = {picture, std::nullopt};
    form->Command4_Click();
    form->Command7_Click();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(form->PicturePath, "");
    form->Command4_Click();
    EXPECT_EQ(shown(), picture);
    EXPECT_EQ(form->PicturePath, picture);
}

TEST_F(PictureTest, TheItemChooserAndThePictureChooserShareTheKeptName) {
    const std::string chosen = makeFile("run.exe");
    platform.dialogResults = {chosen, std::nullopt};
    form->Command3_Click();
    form->Command4_Click(); // cancelled: the kept name is no picture
    EXPECT_EQ(platform.dialogs[1].fileName, chosen);
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(form->PicturePath, "");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, texts::kPictureFailedTitle);
    EXPECT_NE(platform.messages[0].prompt.find(chosen), std::string::npos);
}

TEST_F(PictureTest, AFileThatIsNoPictureLeavesTheShownOneAlone) {
    const std::string picture = makePicture("good.gif");
    const std::string broken = makeFile("broken.gif");
    platform.dialogResults = {picture, broken};
    form->Command4_Click();
    form->Command4_Click();
    EXPECT_EQ(shown(), picture);
    EXPECT_EQ(form->PicturePath, picture);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(PictureTest, APicturePathWithADoubleQuoteIsRefused) {
    std::string odd;
    try {
        odd = makePicture("a\"b.bmp");
    } catch (const std::exception&) {
        GTEST_SKIP() << "this file system allows no double quote in a name (Windows)";
    }
    platform.dialogResults = {odd};
    form->Command4_Click();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(form->PicturePath, "");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, expected::kQuoteInPath);
}

TEST_F(PictureTest, RemovingWithNoPictureLeavesTheWindowAsItWas) {
    form->Command7_Click();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(form->PicturePath, "");
    EXPECT_TRUE(platform.focusMoves.empty());
}

TEST_F(PictureTest, CancelBringsTheStoredPictureBackAndDropsAnUnsavedChoice) {
    const std::string stored = makePicture("stored.bmp");
    const std::string other = makePicture("other.bmp");
    writeStore(storeRecord({"a"}, stored));
    form->OpenF();
    form->Command7_Click();
    form->Command6_Click();
    EXPECT_EQ(shown(), stored);
    EXPECT_EQ(form->PicturePath, stored);

    writeStore(storeRecord({"a"}));
    form->OpenF();
    form->Label2_Click();
    platform.dialogResults = {other};
    form->Command4_Click();
    form->Command6_Click();
    EXPECT_EQ(shown(), ""); // the shown picture agrees with what the next save stores
    EXPECT_EQ(form->PicturePath, "");
}

} // namespace
} // namespace hopwick::testing
