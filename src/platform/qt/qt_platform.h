#pragma once

#include "platform/system_platform.h"

class QDialog;
class QWidget;

namespace hopwick {

class MainWindow;

// The platform of the Linux front end: the system's side from SystemPlatform, the window system's from Qt.
class QtPlatform : public SystemPlatform {
public:
    // `commandLine` is the program's arguments joined by single spaces.
    explicit QtPlatform(std::string commandLine);

    // The window that the form's changes are shown in; until it is attached they are not shown anywhere.
    void attach(MainWindow& window) { window_ = &window; }

    int messageBox(const std::string& prompt, int style, const std::string& title) override;
    void beep() override;
    std::optional<std::string> showOpenDialog(const OpenDialogRequest& request) override;
    PictureLoad loadPicture(const std::string& path) override;
    std::string commandLine() override { return commandLine_; }

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

    std::string commandLine_;
    MainWindow* window_ = nullptr;
};

} // namespace hopwick
