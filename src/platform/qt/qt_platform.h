#pragma once

#include "platform/dialogs.h"
#include "platform/system_services.h"
#include "platform/window_view.h"

class QDialog;
class QWidget;

namespace hopwick {

class MainWindow;

// The boxes, dialogs and window of the Linux front end, shown with Qt. Pictures are read through `system`.
class QtPlatform : public Dialogs, public WindowView {
public:
    explicit QtPlatform(SystemServices& system) : system_(system) {}

    // The window that the form's changes are shown in; until it is attached they are not shown anywhere.
    void attach(MainWindow& window) { window_ = &window; }

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

protected:
    // Runs a modal dialog, set up in full, and returns its result code. Tests answer the dialogs here.
    virtual int runModal(QDialog& dialog);

private:
    QWidget* dialogParent() const;
    template <typename Show> void withWindow(Show show) {
        if (window_) {
            show(*window_);
        }
    }

    SystemServices& system_;
    MainWindow* window_ = nullptr;
};

} // namespace hopwick
