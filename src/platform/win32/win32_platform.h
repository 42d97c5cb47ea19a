#pragma once

#include "platform/system_platform.h"

#include <windows.h>

namespace hopwick::win32 {

class MainWindow;

// The platform of the Windows program: the system's part plus boxes, dialogs, pictures and the window.
// Until a window is attached, boxes and dialogs have no owner and the window's operations do nothing. Pictures,
// dialogs and the shell start OLE on the calling thread at their first need (ole_on_demand.h).
class Win32Platform final : public SystemPlatform {
public:
    void attach(MainWindow* window) { window_ = window; }

    int messageBox(const std::string& prompt, int style, const std::string& title) override;
    void beep() override;
    std::optional<std::string> showOpenDialog(const OpenDialogRequest& request) override;
    void shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                      int showCommand) override;
    std::string commandLine() override;
    PictureLoad loadPicture(const std::string& path) override;

    void setFocus(ControlId control) override;
    void applyWindowSize(int widthTwips, int heightTwips) override;
    void applyCaption(const std::string& caption) override;
    void applyPicture(const std::shared_ptr<const Picture>& picture) override;
    void controlChanged(ControlId control) override;
    void closeWindow() override;

private:
    HWND owner() const;

    MainWindow* window_ = nullptr;
};

} // namespace hopwick::win32
