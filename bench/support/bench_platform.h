#pragma once

#include "platform/system_platform.h"

#include <string>

namespace hopwick::bench {

// The platform under the core's benchmarks: the system's real files, paths, code page 932, program starts
// and shell, a program folder of the benchmark's choosing, and no window. A benchmark that meets a message
// box has left the path it means to measure, so the boxes are counted.
class BenchPlatform : public SystemPlatform {
public:
    explicit BenchPlatform(std::string programFolder) : programFolder_(std::move(programFolder)) {}

    int messages = 0;

    int messageBox(const std::string& prompt, int style, const std::string& title) override;
    void beep() override {}
    std::optional<std::string> showOpenDialog(const OpenDialogRequest&) override { return std::nullopt; }
    std::string programFolder() override { return programFolder_; }
    std::string userConfigFolder() override { return programFolder_; }
    std::string commandLine() override { return {}; }
    // Decoding belongs to the front end and is measured with the window; the core only needs a picture.
    PictureLoad loadPicture(const std::string& path) override;
    void setFocus(ControlId) override {}
    void applyWindowSize(int, int) override {}
    void applyCaption(const std::string&) override {}
    void applyPicture(const std::shared_ptr<const Picture>&) override {}
    void controlChanged(ControlId) override {}
    void closeWindow() override {}

private:
    std::string programFolder_;
};

} // namespace hopwick::bench
