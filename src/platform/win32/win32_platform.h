#pragma once

#include "platform/dialogs.h"
#include "platform/system_services.h"
#include "platform/window_view.h"

#include <windows.h>

namespace hopwick::win32 {

class MainWindow;

// The boxes, dialogs, pictures and window of the Windows program. Until a window is attached, boxes and dialogs
// have no owner and the window's operations do nothing. Pictures and dialogs start OLE on the calling thread at
// their first need (ole_on_demand.h); pictures are read through `system`.
class Win32Platform final : public Dialogs, public WindowView {
public:
    explicit Win32Platform(SystemServices& system) : system_(system) {}

    void attach(MainWindow* window) { window_ = window; }

    MessageAnswer messageBox(const std::string& prompt, MessageStyle style, const std::string& title) override;
    void beep() override;
    std::optional<std::string> showOpenDialog(const OpenDialogRequest& request) override;
    PictureLoad loadPicture(const std::string& path) override;

    void setFocus(ControlId control) override;
    void applyWindowSize(int widthTwips, int heightTwips) override;
    void applyCaption(const std::string& caption) override;
    void applyPicture(const std::shared_ptr<const Picture>& picture) override;
    void controlChanged(ControlId control) override;
    void closeWindow() override;

private:
    HWND owner() const;

    SystemServices& system_;
    MainWindow* window_ = nullptr;
};

} // namespace hopwick::win32
