#include "platform/posix/detached_process.h"
#include "platform/system_platform.h"

#include <atomic>

namespace hopwick {

namespace {

constexpr const char* kOpenerMissingPrompt =
    "xdg-open が見つかりません。ﾌｧｲﾙ を開くには xdg-utils ﾊﾟｯｹｰｼﾞ をｲﾝｽﾄｰﾙして下さい。";
constexpr const char* kOpenerMissingTitle = "ﾌｧｲﾙ を開けません。";

} // namespace

// "open" is the only verb the program uses, and xdg-open shows the window as the desktop decides.
void SystemPlatform::shellExecute(const std::string& /*verb*/, const std::string& file, const std::string& directory,
                                  int /*showCommand*/) {
    if (file.empty()) {
        return;
    }
    const std::string opener = posix::findProgram("xdg-open");
    if (opener.empty()) {
        // Once is enough: every later click would repeat the same advice.
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) {
            messageBox(kOpenerMissingPrompt, kStyleOk, kOpenerMissingTitle);
        }
        return;
    }
    // A relative name that starts with '-' would read as an option; URLs and absolute paths never do.
    const std::string target = file.front() == '-' ? "./" + file : file;
    // The outcome is not reported back (the contract's "returns at once"); a failed start opens nothing.
    posix::startDetached(opener, {"xdg-open", target}, directory);
}

} // namespace hopwick
