// Launch storms: hundreds of launches in a row through the real system platform leave no zombie process
// and no open file descriptor behind, and a started program inherits none of the launcher's files.

#include "form_fixture.h"
#include "process_counts.h"
#include "stand_in.h"
#include "windowless_platform.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace hopwick::testing {
namespace {

constexpr int kLaunches = 500;

class LaunchStormTest : public ::testing::Test {
protected:
    LaunchStormTest() : platform_(folder_.path().string()), form_(platform_) {}

    // Programs end on their own; give the platform a moment to reap the last of them.
    static bool settles(const std::function<bool()>& condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // Asked without reaping, so that the test takes nothing away from the platform's own reaping.
    static bool noChildLeft() {
        siginfo_t info{};
        return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD;
    }

    TempFolder folder_;
    TempFolder programs_;
    WindowlessPlatform platform_;
    MainForm form_;
};

TEST_F(LaunchStormTest, FiveHundredLaunchesLeaveNoZombieAndNoDescriptorBehind) {
    const StandInPrograms standIns(programs_.path(), "/bin/true", {"xdg-open", "Notepad.exe"});
    const std::string document = folder_.write("document.txt", "text");
    folder_.write("SIS", storeRecord({"NotePad", document}));
    form_.Form_Load();
    // The first launch of each kind may set up what the platform keeps for the process's life.
    form_.List1.clickEntry(0);
    form_.List1.clickEntry(1);
    ASSERT_TRUE(settles(noChildLeft));
    const std::size_t descriptorsBefore = openDescriptorCount();

    for (int launch = 0; launch < kLaunches; ++launch) {
        form_.List1.clickEntry(launch % 2);
    }
    EXPECT_TRUE(platform_.messages.empty()) << platform_.messages.front();
    EXPECT_EQ(form_.List1.ListCount(), 2);
    EXPECT_TRUE(settles([] { return zombieChildCount() == 0; })) << zombieChildCount() << " zombies";
    EXPECT_TRUE(settles(noChildLeft)) << "a started program is still a child of the launcher";
    EXPECT_TRUE(settles([&] { return openDescriptorCount() <= descriptorsBefore; }))
        << openDescriptorCount() << " descriptors open, " << descriptorsBefore << " before";
}

TEST_F(LaunchStormTest, AStartedProgramInheritsNoneOfTheLaunchersFiles) {
    StandInPrograms standIns(programs_.path(), HOPWICK_HELPER_PATH, {"xdg-open", "Notepad.exe"});
    const std::string document = folder_.write("document.txt", "text");
    folder_.write("SIS", storeRecord({"NotePad", document}));
    // A descriptor opened without close-on-exec, as a library might leave one.
    const int leaked = open(document.c_str(), O_RDONLY);
    ASSERT_GE(leaked, 3);
    form_.Form_Load();
    for (int entry = 0; entry < 2; ++entry) {
        form_.List1.clickEntry(entry);
        const std::optional<StandInCall> call = standIns.takeCall();
        ASSERT_TRUE(call) << "entry " << entry << " started nothing";
        for (int fd : call->descriptors) {
            EXPECT_LE(fd, 2) << call->arguments[0] << " inherited descriptor " << fd;
        }
    }
    close(leaked);
}

} // namespace
} // namespace hopwick::testing
