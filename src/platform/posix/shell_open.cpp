#include "platform/posix/detached_process.h"
#include "platform/system_platform.h"

namespace hopwick {

namespace {

// The desktop's opener comes with xdg-utils, which a minimal system may lack.
constexpr const char* kOpenerMissing =
    "xdg-open が見つかりません。ﾌｧｲﾙ を開くには xdg-utils ﾊﾟｯｹｰｼﾞ をｲﾝｽﾄｰﾙして下さい。";

} // namespace

// "open" is the only verb the program uses, and xdg-open shows the window as the desktop decides.
std::string SystemPlatform::shellExecute(const std::string& /*verb*/, const std::string& file,
                                         const std::string& directory, ShowCommand /*showCommand*/) {
    if (file.empty()) {
        return {};
    }
    const std::string opener = posix::findProgram("xdg-open");
    if (opener.empty()) {
        return kOpenerMissing;
    }
    // A relative name that starts with '-' would read as an option; URLs and absolute paths never do.
    const std::string target = file.front() == '-' ? "./" + file : file;
    // The outcome is not reported back (the contract's "returns at once"); a failed start opens nothing.
    posix::startDetached(opener, {"xdg-open", target}, directory);
    return {};
}

} // namespace hopwick
