#include "platform/posix/posix_support.h"
#include "posix_test_support.h"
#include "store_saves.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace hopwick::testing {
namespace {

using Arguments = std::vector<std::string>;

class ProgramStartTest : public ::testing::Test {
protected:
    TempFolder temp;
    WindowlessPlatform platform;
};

TEST_F(ProgramStartTest, TheProgramFileAsItStandsComesFirst) {
    StandInFolder bin(temp.path(), "bin");
    bin.add("Notepad.exe");
    bin.add("gedit");
    std::filesystem::create_directories(temp.path() / "work folder");
    ScopedDirectory work(temp.file("work folder"));

    const ProgramStart onPath = platform.startProgram("Notepad.exe", ShowCommand::Normal);
    ASSERT_TRUE(onPath.started) << onPath.reason;
    EXPECT_EQ(onPath.reason, "");
    const auto record = bin.waitFor("Notepad.exe");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->folder, temp.file("work folder"));
    EXPECT_EQ(record->arguments, Arguments{});

    // By absolute path, also with a space in it and outside PATH.
    std::filesystem::create_directories(temp.path() / "tools");
    writeRecordingProgram(temp.file("tools/my tool"), temp.file("tools/record"));
    ASSERT_TRUE(platform.startProgram(temp.file("tools/my tool"), ShowCommand::Normal).started);
    const auto absolute = waitForRecord(temp.file("tools/record"));
    ASSERT_TRUE(absolute);
    EXPECT_EQ(absolute->folder, temp.file("work folder"));
    EXPECT_FALSE(bin.ran("gedit"));
}

TEST_F(ProgramStartTest, TheFirstInstalledEquivalentInTableOrderStarts) {
    StandInFolder bin(temp.path(), "bin");
    for (const char* program : {"leafpad", "kate", "gedit", "xcalc", "gwenview", "feh"}) {
        bin.add(program);
    }
    ASSERT_TRUE(platform.startProgram("Notepad.exe", ShowCommand::Normal).started);
    ASSERT_TRUE(bin.waitFor("gedit"));
    ASSERT_TRUE(platform.startProgram("Calc.exe", ShowCommand::Normal).started);
    ASSERT_TRUE(bin.waitFor("xcalc"));
    ASSERT_TRUE(platform.startProgram("Wangimg.exe", ShowCommand::Normal).started);
    ASSERT_TRUE(bin.waitFor("gwenview"));
    ASSERT_TRUE(waitForEveryChildReaped()); // any other program started would have recorded by now
    EXPECT_FALSE(bin.ran("kate"));
    EXPECT_FALSE(bin.ran("leafpad"));
    EXPECT_FALSE(bin.ran("feh"));
}

struct EquivalentCase {
    const char* programFile;
    std::vector<std::string> installed;
    std::string expected;
    Arguments arguments;
};

TEST_F(ProgramStartTest, EachEquivalentGetsItsArgumentsSeparately) {
    const std::string home = temp.file("my home");
    ScopedVariable homeVariable("HOME", home);
    const std::vector<EquivalentCase> cases = {
        {"Write.exe", {"abiword", "libreoffice"}, "libreoffice", {"--writer"}},
        {"Write.exe", {"abiword"}, "abiword", {}},
        {"Telnet.exe", {"xterm", "x-terminal-emulator", "gnome-terminal"}, "x-terminal-emulator", {"-e", "telnet"}},
        {"Telnet.exe", {"xterm", "gnome-terminal"}, "gnome-terminal", {"--", "telnet"}},
        {"Ftp.exe", {"xterm", "konsole"}, "konsole", {"-e", "ftp"}},
        {"Ftp.exe", {"xterm", "xfce4-terminal"}, "xfce4-terminal", {"-x", "ftp"}},
        {"Ftp.exe", {"xterm"}, "xterm", {"-e", "ftp"}},
        {"C:\\WINDOWS\\command.com", {"xterm", "gnome-terminal"}, "gnome-terminal", {}},
        {"Explorer.exe", {"xdg-open"}, "xdg-open", {home}},
        {"Winfile.exe", {"xdg-open"}, "xdg-open", {home}},
        {"Pbrush.exe", {"gimp", "pinta"}, "pinta", {}},
        {"Regedit.exe", {"dconf-editor"}, "dconf-editor", {}},
        {"Scandskw.exe", {"gnome-disks"}, "gnome-disks", {}},
        {"Defrag.exe", {"gnome-disks"}, "gnome-disks", {}},
        {"notepad.EXE", {"mousepad"}, "mousepad", {}}, // Windows names ignore case
    };
    int number = 0;
    for (const EquivalentCase& each : cases) {
        SCOPED_TRACE(each.programFile + (" with " + each.expected));
        StandInFolder bin(temp.path(), "bin" + std::to_string(number++));
        for (const std::string& program : each.installed) {
            bin.add(program);
        }
        const ProgramStart result = platform.startProgram(each.programFile, ShowCommand::Normal);
        ASSERT_TRUE(result.started) << result.reason;
        const auto record = bin.waitFor(each.expected);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->arguments, each.arguments);
    }
}

TEST_F(ProgramStartTest, NothingInstalledSaysWhatWasLookedFor) {
    StandInFolder bin(temp.path(), "empty-bin");
    const ProgramStart notepad = platform.startProgram("Notepad.exe", ShowCommand::Normal);
    EXPECT_FALSE(notepad.started);
    EXPECT_NE(notepad.reason.find("Notepad.exe"), std::string::npos) << notepad.reason;
    EXPECT_NE(notepad.reason.find("gnome-text-editor"), std::string::npos) << notepad.reason;
    EXPECT_NE(notepad.reason.find("leafpad"), std::string::npos) << notepad.reason;

    const ProgramStart prompt = platform.startProgram("C:\\WINDOWS\\command.com", ShowCommand::Normal);
    EXPECT_FALSE(prompt.started);
    EXPECT_NE(prompt.reason.find("x-terminal-emulator"), std::string::npos) << prompt.reason;

    for (const char* none : {"Progman.exe", "Dialer.exe", "Unknown.exe", "/no/such/program"}) {
        const ProgramStart result = platform.startProgram(none, ShowCommand::Normal);
        EXPECT_FALSE(result.started) << none;
        EXPECT_NE(result.reason.find(none), std::string::npos) << result.reason;
    }
    EXPECT_FALSE(platform.startProgram("", ShowCommand::Normal).started);
}

TEST_F(ProgramStartTest, AnExecThatFailsInTheChildIsReported) {
    StandInFolder bin(temp.path(), "bin");
    {
        std::ofstream broken(bin.folder() + "/gedit");
        broken << "#!/no/such/interpreter\n";
    }
    ASSERT_EQ(chmod((bin.folder() + "/gedit").c_str(), 0755), 0);
    const ProgramStart result = platform.startProgram("Notepad.exe", ShowCommand::Normal);
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.reason.find(posix::errorText(ENOENT)), std::string::npos) << result.reason;
    EXPECT_NE(result.reason.find("gedit"), std::string::npos) << result.reason;
}

TEST_F(ProgramStartTest, StartedProgramsAreNotWaitedForAndLeaveNoZombie) {
    StandInFolder bin(temp.path(), "bin");
    for (const char* program : {"one", "two", "three"}) {
        bin.add(program, 3); // still running while we look
    }
    bin.add("quick"); // ends at once
    const auto before = std::chrono::steady_clock::now();
    for (const char* program : {"one", "two", "three", "quick"}) {
        ASSERT_TRUE(platform.startProgram(program, ShowCommand::Normal).started);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2)) << "the start waited";
    for (const char* program : {"one", "two", "three", "quick"}) {
        ASSERT_TRUE(bin.waitFor(program));
    }
    // The quick one has ended: it is reaped while the others still run.
    EXPECT_TRUE(waitUntil([] { return childProcesses().size() <= 3; })) << "the quick child was not reaped";
    for (const ChildProcess& child : childProcesses()) {
        EXPECT_NE(child.state, 'Z') << "child process " << child.pid << " was not reaped";
    }
}

TEST_F(ProgramStartTest, StartedProgramsDoNotInheritSignalsWeIgnore) {
    // A replace ignores SIGXFSZ for the rest of the process; a program we start must not inherit that.
    ASSERT_TRUE(replaceFile(platform, temp.file("SIS"), "x").written);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    sigaction(SIGPIPE, &ignore, &previous);
    StandInFolder bin(temp.path(), "bin");
    bin.add("gedit");
    const bool started = platform.startProgram("Notepad.exe", ShowCommand::Normal).started;
    sigaction(SIGPIPE, &previous, nullptr);
    ASSERT_TRUE(started);
    const auto record = bin.waitFor("gedit");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->ignoredSignals & (1ULL << (SIGXFSZ - 1)), 0u);
    EXPECT_EQ(record->ignoredSignals & (1ULL << (SIGPIPE - 1)), 0u);
}

} // namespace
} // namespace hopwick::testing
