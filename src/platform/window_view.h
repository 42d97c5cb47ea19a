#pragma once

#include "platform/control_id.h"

#include <memory>
#include <string>

namespace hopwick {

// A loaded picture, drawn by the front end that loaded it.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int widthPixels() const = 0;
    virtual int heightPixels() const = 0;
};

struct PictureLoad {
    std::shared_ptr<const Picture> picture; // null: no picture (the path was "" or the load failed)
    std::string error;                      // why the load failed; empty when it did not
};

// The window as the front end shows it: the core holds the state of the window and its controls, and these
// tell the front end to show a change. Pictures are loaded here, as the toolkit draws them.
class WindowView {
public:
    WindowView() = default;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;
    virtual ~WindowView() = default;

    // Loads a .bmp, .ico or .gif picture. "" gives the empty picture with no error.
    virtual PictureLoad loadPicture(const std::string& path) = 0;

    virtual void setFocus(ControlId control) = 0;
    virtual void applyWindowSize(int widthTwips, int heightTwips) = 0;
    virtual void applyCaption(const std::string& caption) = 0;
    virtual void applyPicture(const std::shared_ptr<const Picture>& picture) = 0;
    virtual void controlChanged(ControlId control) = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
};

} // namespace hopwick
