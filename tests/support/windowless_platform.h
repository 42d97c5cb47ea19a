#pragma once

#include "platform/platform.h"
#include "platform/system_platform.h"

#include <optional>
#include <string>
#include <vector>

namespace hopwick::testing {

// The real system platform with a window that is never shown: what a launcher process does to files and
// programs, without a display. Message boxes are kept as "title: prompt" and answered with their default.
class WindowlessPlatform : public SystemPlatform, public Dialogs, public WindowView {
public:
    WindowlessPlatform() = default;
    explicit WindowlessPlatform(std::string programFolder) : programFolder_(std::move(programFolder)) {}

    std::vector<std::string> messages;

    operator Platform() { return {*this, *this, *this}; }

    MessageAnswer messageBox(const std::string& prompt, MessageStyle style, const std::string& title) override;
    void beep() override {}
    std::optional<std::string> showOpenDialog(const OpenDialogRequest&) override { return std::nullopt; }
    // The given folder, or the program's own when none was given.
    std::string programFolder() override { return programFolder_ ? *programFolder_ : SystemPlatform::programFolder(); }
    PictureLoad loadPicture(const std::string&) override { return {}; }
    void setFocus(ControlId) override {}
    void applyWindowSize(int, int) override {}
    void applyCaption(const std::string&) override {}
    void applyPicture(const std::shared_ptr<const Picture>&) override {}
    void controlChanged(ControlId) override {}
    void closeWindow() override {}

private:
    std::optional<std::string> programFolder_;
};

} // namespace hopwick::testing
