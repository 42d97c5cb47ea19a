#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hopwick::testing {

// Set to a file name, it makes the helper a stand-in program that records its call there.
inline constexpr const char* kStandInLogVariable = "HOPWICK_STAND_IN_LOG";

// How a stand-in program was started.
struct StandInCall {
    std::vector<std::string> arguments; // arguments[0] is the name it was started under
    std::string directory;              // its working directory
    std::vector<int> descriptors;       // the file descriptors it found open
};

// The stand-in's side: records the call in `log` (it appears there whole, or not at all); 0 when recorded.
int recordStandInCall(const std::string& log, int argc, char** argv);

// Programs of the given names, all `executable`, put first on PATH for the object's life, with the log
// variable pointing into `folder`.
class StandInPrograms {
public:
    StandInPrograms(const std::filesystem::path& folder, const std::filesystem::path& executable,
                    const std::vector<std::string>& names);
    StandInPrograms(const StandInPrograms&) = delete;
    StandInPrograms& operator=(const StandInPrograms&) = delete;
    ~StandInPrograms();

    // The next recorded call, waited for (the programs start detached) and then removed.
    std::optional<StandInCall> takeCall(std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    std::filesystem::path log_;
    std::optional<std::string> savedPath_;
};

} // namespace hopwick::testing
