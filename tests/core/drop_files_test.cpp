#include "form_fixture.h"

#include "expected_texts.h"

namespace hopwick::testing {
namespace {

class DropFilesTest : public FormTest {
protected:
    void dropOnWindow(const DataObject& data) {
        int effect = 0;
        form->Form_OLEDragDrop(data, effect, 1, 0, 10, 10);
    }
    void dropOnList(const DataObject& data) {
        int effect = 0;
        form->List1_OLEDragDrop(data, effect, 1, 0, 10, 10);
    }
};

TEST_F(DropFilesTest, EachFileIsOfferedAndEveryAcceptedOneIsStoredAtOnce) {
    writeStore(storeRecord({"a"}));
    start();
    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Yes};
    dropOnWindow(DataObject::files({"/x/one.exe", "/x/two.exe", "/x/three"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "/x/one.exe", "/x/three"}));
    EXPECT_EQ(storeBytes(), storeRecord({"a", "/x/one.exe", "/x/three"}));
    ASSERT_EQ(platform.messages.size(), 3u);
    for (const RecordedMessage& message : platform.messages) {
        EXPECT_EQ(message.prompt, expected::kDropQuestion);
        EXPECT_EQ(static_cast<int>(message.style), 4);
        EXPECT_EQ(message.title, expected::kDropTitle);
    }
    int writes = 0;
    for (const std::string& event : platform.events) {
        writes += event.starts_with("write: ") ? 1 : 0;
    }
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(form->DropPath, "/x/three");
    EXPECT_EQ(form->DropAnswer, MessageAnswer::Yes);
}

TEST_F(DropFilesTest, TheListAndTheWindowBehaveAlike) {
    start();
    dropOnList(DataObject::files({"/y/file", "/y/file"}));
    EXPECT_EQ(form->List1.ListCount(), 17); // a path already there is added again, no test at all
    EXPECT_EQ(form->List1.List(16), "/y/file");
    EXPECT_EQ(platform.focusMoves.front(), ControlId::Form);
}

TEST_F(DropFilesTest, DataWithoutFilesOnlyMovesTheFocus) {
    start();
    dropOnWindow(DataObject::other());
    EXPECT_EQ(items(), kDefaultItems);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(storeExists());
    EXPECT_EQ(platform.focusMoves, std::vector<ControlId>{ControlId::Form});
}

TEST_F(DropFilesTest, DragOverAlwaysShowsACopy) {
    start();
    int effect = 0;
    form->Form_OLEDragOver(DataObject::other(), effect, 0, 0, 0, 0, 2);
    EXPECT_EQ(effect, 1);
    effect = 0;
    form->List1_OLEDragOver(DataObject::files({"/a"}), effect, 0, 0, 0, 0, 0);
    EXPECT_EQ(effect, 1);
}

TEST_F(DropFilesTest, ADropThatWouldPassFortyStopsOfferingOnceTheListIsFullAndNamesTheRestOnce) {
    std::vector<std::string> stored(38, "s");
    writeStore(storeRecord(stored));
    start();
    dropOnWindow(DataObject::files({"/d/1", "/d/2", "/d/3", "/d/4"}));
    EXPECT_EQ(form->List1.ListCount(), 40);
    EXPECT_EQ(form->List1.List(39), "/d/2");
    ASSERT_EQ(platform.messages.size(), 3u); // two questions, then one report
    EXPECT_EQ(platform.messages[2].prompt, std::string(expected::kListFull) + "\r\n/d/3\r\n/d/4");
    EXPECT_EQ(platform.messages[2].title, expected::kDropRefusedTitle);
    EXPECT_EQ(platform.messages[2].style, MessageStyle::Ok);
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(DropFilesTest, NamesWithADoubleQuoteAreReportedAfterTheRestWereOffered) {
    start();
    dropOnWindow(DataObject::files({"/q/\"odd\"", "/q/fine", "/q/\"too\""}));
    EXPECT_EQ(form->List1.List(15), "/q/fine");
    EXPECT_EQ(form->List1.ListCount(), 16);
    EXPECT_EQ(storeBytes(), storeRecord([] {
                  std::vector<std::string> items = kDefaultItems;
                  items.push_back("/q/fine");
                  return items;
              }()));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].prompt, expected::kDropQuestion);
    EXPECT_EQ(platform.messages[1].prompt, std::string(expected::kQuoteInPath) + "\r\n/q/\"odd\"\r\n/q/\"too\"");
    EXPECT_EQ(platform.messages[1].title, expected::kDropRefusedTitle);
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(DropFilesTest, TenThousandRefusedNamesMakeOneShortReport) {
    writeStore(storeRecord(std::vector<std::string>(39, "s")));
    start();
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i) {
        names.push_back("/m/\"" + std::to_string(i));
    }
    names.push_back("/m/last fits");
    names.push_back("/m/no room");
    dropOnList(DataObject::files(names));
    EXPECT_EQ(form->List1.List(39), "/m/last fits");
    ASSERT_EQ(platform.messages.size(), 2u); // the one question and the one report
    EXPECT_EQ(platform.messages[1].prompt,
              std::string(expected::kQuoteInPath) +
                  "\r\n/m/\"0\r\n/m/\"1\r\n/m/\"2\r\n/m/\"3\r\n/m/\"4\r\nほか 9995 個\r\n" + expected::kListFull +
                  "\r\n/m/no room");
}

TEST_F(DropFilesTest, ClosingAQuestionWithoutAnAnswerStopsTheDrop) {
    writeStore(storeRecord({"a"}));
    start();
    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Cancel};
    dropOnWindow(DataObject::files({"/s/1", "/s/\"quoted\"", "/s/2", "/s/3", "/s/\"late\""}));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "/s/1"}));
    EXPECT_EQ(storeBytes(), storeRecord({"a", "/s/1"}));
    ASSERT_EQ(platform.messages.size(), 3u); // two questions; only the name refused before the stop is told
    EXPECT_EQ(platform.messages[2].prompt, std::string(expected::kQuoteInPath) + "\r\n/s/\"quoted\"");
}

TEST_F(DropFilesTest, ADropArrivingDuringAnotherDropsQuestionWaitsItsTurn) {
    writeStore(storeRecord({"a"}));
    start();
    platform.whileMessageShown = {[&] { dropOnList(DataObject::files({"/second"})); }};
    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Yes};
    dropOnWindow(DataObject::files({"/first/1", "/first/2"}));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "/first/1", "/first/2", "/second"}));
    EXPECT_EQ(storeBytes(), storeRecord({"a", "/first/1", "/first/2", "/second"}));
    EXPECT_EQ(platform.messages.size(), 3u);
}

TEST_F(DropFilesTest, ADropInSetupModeStoresTheSetupEditsToo) {
    writeStore(storeRecord({"a", "b"}));
    start();
    form->Label2_Click();
    form->List1.RemoveItem(0);
    dropOnWindow(DataObject::files({"/new"}));
    EXPECT_EQ(storeBytes(), storeRecord({"b", "/new"}));
    EXPECT_TRUE(form->SetupMode);
    form->Command6_Click();
    EXPECT_EQ(items(), (std::vector<std::string>{"b", "/new"}));
}

} // namespace
} // namespace hopwick::testing
