#include "platform/posix/detached_process.h"
#include "platform/posix/native_programs.h"
#include "platform/posix/posix_support.h"
#include "platform/system_platform.h"

namespace hopwick {

namespace {

ProgramStart start(const std::string& executable, std::vector<std::string> arguments) {
    const std::string shown = arguments.front();
    if (const int failure = posix::startDetached(executable, arguments, {}); failure != 0) {
        return {false, shown + ": " + posix::errorText(failure)};
    }
    return {true, {}};
}

std::string notFoundReason(const std::string& programFile, const std::vector<posix::NativeProgram>* equivalents) {
    std::string reason = programFile + " が見つかりません。";
    if (equivalents == nullptr) {
        return reason;
    }
    if (equivalents->empty()) {
        return reason + "Linux には代わりになる ﾌﾟﾛｸﾞﾗﾑ がありません。";
    }
    std::string names;
    for (const posix::NativeProgram& candidate : *equivalents) {
        names += (names.empty() ? "" : ", ") + candidate.program;
    }
    return reason + "代わりになる ﾌﾟﾛｸﾞﾗﾑ (" + names + ") もｲﾝｽﾄｰﾙされていません。";
}

} // namespace

// The window style has no equivalent to pass on: the window manager places and focuses a new window itself.
ProgramStart SystemPlatform::startProgram(const std::string& programFile, ShowCommand /*windowStyle*/) {
    if (const std::string found = posix::findProgram(programFile); !found.empty()) {
        return start(found, {programFile});
    }
    const std::vector<posix::NativeProgram>* equivalents = posix::nativeEquivalents(programFile);
    if (equivalents != nullptr) {
        for (const posix::NativeProgram& candidate : *equivalents) {
            const std::string found = posix::findProgram(candidate.program);
            if (found.empty()) {
                continue;
            }
            std::vector<std::string> arguments{candidate.program};
            arguments.insert(arguments.end(), candidate.arguments.begin(), candidate.arguments.end());
            if (candidate.opensHomeFolder) {
                const std::string home = posix::homeFolder();
                arguments.push_back(home.empty() ? "/" : home);
            }
            return start(found, std::move(arguments));
        }
    }
    return {false, notFoundReason(programFile, equivalents)};
}

} // namespace hopwick
