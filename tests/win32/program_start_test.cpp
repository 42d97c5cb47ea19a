#include "platform/system_platform.h"
#include "support/temp_folder.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

using testing::TempFolder;

constexpr int kWaitSeconds = 60;

// The stand-in program's record, one "key=value" a line.
std::string recorded(const std::string& record, const std::string& key) {
    const std::string start = key + "=";
    const std::size_t at = record.find(start);
    if (at == std::string::npos) {
        return "(no " + key + ")";
    }
    const std::size_t end = record.find('\n', at);
    return record.substr(at + start.size(), end - at - start.size());
}

// Starts and shell opens are seen through the stand-in program, which records into this test's folder.
class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        recordFile = temp.file("record.txt");
        SetEnvironmentVariableW(L"HOPWICK_RECORD_FILE", widen(recordFile).c_str());
        standIn = testProgramFolder() + "\\record_call.exe";
        std::filesystem::create_directories(temp.path() / "work");
        workFolder = temp.file("work");
    }

    void TearDown() override { SetEnvironmentVariableW(L"HOPWICK_RECORD_FILE", nullptr); }

    // A copy of the stand-in program under another name, which may hold blanks and Japanese.
    std::string copyOfStandIn(const std::string& name) {
        const std::string path = temp.path().string() + "\\" + name;
        EXPECT_TRUE(CopyFileW(widen(standIn).c_str(), widen(path).c_str(), FALSE));
        return path;
    }

    TempFolder temp;
    SystemPlatform platform;
    std::string recordFile;
    std::string standIn;
    std::string workFolder;
};

TEST_F(ProgramStartTest, StartsTheProgramWithTheWindowStyleInOurCurrentDirectory) {
    const std::string saved = platform.currentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(widen(workFolder).c_str()));
    const ProgramStart start = platform.startProgram(standIn, ShowCommand::Normal);
    SetCurrentDirectoryW(widen(saved).c_str());
    ASSERT_TRUE(start.started) << start.reason;
    EXPECT_EQ(start.reason, "");

    const std::optional<std::string> record = waitForContent(recordFile, kWaitSeconds);
    ASSERT_TRUE(record);
    EXPECT_EQ(recorded(*record, "command"), standIn);
    EXPECT_EQ(recorded(*record, "folder"), workFolder);
    EXPECT_EQ(recorded(*record, "show"), "1");
}

TEST_F(ProgramStartTest, AProgramFileWithBlanksIsOneCommandNotSplit) {
    const std::string program = copyOfStandIn("ﾂｰﾙ 表示.exe");
    ASSERT_TRUE(platform.startProgram(program, ShowCommand::Normal).started);
    const std::optional<std::string> record = waitForContent(recordFile, kWaitSeconds);
    ASSERT_TRUE(record);
    EXPECT_EQ(recorded(*record, "command"), "\"" + program + "\"");
}

TEST_F(ProgramStartTest, AMissingProgramIsReportedWithTheSystemsReason) {
    for (const char* program : {"Wangimg.exe", "C:\\WINDOWS\\command.com"}) {
        const ProgramStart start = platform.startProgram(program, ShowCommand::Normal);
        EXPECT_FALSE(start.started) << program;
        EXPECT_NE(start.reason, "") << program;
    }
}

TEST_F(ProgramStartTest, TheShellOpensAProgramInTheGivenDirectoryWithTheShowCommand) {
    const std::string program = copyOfStandIn("開く.exe");
    platform.shellExecute("open", program, workFolder, ShowCommand::Show);
    const std::optional<std::string> record = waitForContent(recordFile, kWaitSeconds);
    ASSERT_TRUE(record);
    EXPECT_NE(recorded(*record, "command").find(program), std::string::npos) << *record;
    EXPECT_EQ(recorded(*record, "folder"), workFolder);
    EXPECT_EQ(recorded(*record, "show"), "5");
}

TEST_F(ProgramStartTest, TheShellOpensADocumentWithTheProgramRegisteredForItsType) {
    // A document type of our own, opened by the stand-in program. Wine's shell reads the types from the
    // machine's classes only, so it goes there (the prefix is this build's own).
    const std::wstring command = L"\"" + widen(standIn) + L"\" \"%1\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L".hopwicktest", nullptr, REG_SZ, L"HopwickTest.Document",
                              sizeof L"HopwickTest.Document"),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"HopwickTest.Document\\shell\\open\\command", nullptr, REG_SZ,
                              command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const std::string document = temp.path().string() + "\\書類, 1.hopwicktest";
    writeFile(document, "text");

    platform.shellExecute("open", document, workFolder, ShowCommand::Show);
    const std::optional<std::string> record = waitForContent(recordFile, kWaitSeconds);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".hopwicktest");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"HopwickTest.Document");
    ASSERT_TRUE(record);
    EXPECT_NE(recorded(*record, "command").find("\"" + document + "\""), std::string::npos) << *record;
    EXPECT_EQ(recorded(*record, "folder"), workFolder);
}

} // namespace
} // namespace hopwick::win32
