#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class FormLoadTest : public FormTest {};

TEST_F(FormLoadTest, WithoutACommandLineNothingIsOpenedAndTheWindowIsInNormalMode) {
    writeStore(storeRecord({"stored"}));
    form->Form_Load();
    EXPECT_TRUE(platform.shellCalls.empty());
    EXPECT_FALSE(form->SetupMode);
    EXPECT_EQ(form->Form.Width(), 7080);
    EXPECT_EQ(form->Form.Height(), 2175);
    EXPECT_EQ(form->Form.Caption(), "Hopwick");
    EXPECT_EQ(form->Label2.Caption(), expected::kSetupLabel);
    EXPECT_EQ(form->SavedCaption, "");
    EXPECT_EQ(items(), std::vector<std::string>{"stored"});
    EXPECT_EQ(platform.captions.back(), "Hopwick");
    EXPECT_EQ(platform.windowSizes.back(), (std::pair<int, int>{7080, 2175}));
}

TEST_F(FormLoadTest, AnExistingPathIsOpenedThroughTheShellBeforeTheStoreIsRead) {
    const std::string document = makeFile("report with spaces.txt");
    form->Form_Load(document);
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].verb, "open");
    EXPECT_EQ(platform.shellCalls[0].file, document);
    EXPECT_EQ(platform.shellCalls[0].directory, folder.path().string());
    EXPECT_EQ(static_cast<int>(platform.shellCalls[0].showCommand), 5);
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_FALSE(storeExists()); // the opened path is not remembered
}

TEST_F(FormLoadTest, AFolderAndAWildcardThatMatchAreOpenedUnchanged) {
    std::filesystem::create_directory(folder.path() / "docs");
    makeFile("docs/a.txt");
    for (const std::string& line : {folder.file("docs"), folder.file("docs") + "/*.txt"}) {
        platform.forget();
        form->Form_Load(line);
        ASSERT_EQ(platform.shellCalls.size(), 1u) << line;
        EXPECT_EQ(platform.shellCalls[0].file, line);
    }
}

TEST_F(FormLoadTest, APathThatNamesNothingOpensNothingAndShowsNothing) {
    makeFile("one");
    makeFile("two");
    makeFile(".hidden");
    for (const std::string& line : {folder.file("missing.txt"), folder.file("one") + " " + folder.file("two"),
                                    "\"" + folder.file("one") + "\"", folder.file(".hidden")}) {
        platform.forget();
        form->Form_Load(line);
        EXPECT_TRUE(platform.shellCalls.empty()) << line;
        EXPECT_TRUE(platform.messages.empty()) << line;
        EXPECT_EQ(form->Form.Caption(), "Hopwick");
        EXPECT_EQ(items(), kDefaultItems);
    }
}

} // namespace
} // namespace hopwick::testing
