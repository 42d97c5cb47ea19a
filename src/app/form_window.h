#pragma once

#include "app/control_host.h"
#include "platform/window_view.h"

#include <memory>
#include <string>

namespace hopwick {

// The main window's own properties, in twips; each change is shown at once.
class FormWindow {
public:
    FormWindow(WindowView& view, ControlHost& host) : view_(view), host_(host) {}

    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& caption);
    int Width() const { return width_; }
    void setWidth(int twips);
    int Height() const { return height_; }
    void setHeight(int twips);
    const std::shared_ptr<const hopwick::Picture>& Picture() const { return picture_; }
    void setPicture(std::shared_ptr<const hopwick::Picture> picture);
    void SetFocus() { host_.focusControl(ControlId::Form); }

private:
    WindowView& view_;
    ControlHost& host_;
    std::string caption_;
    int width_ = 0;
    int height_ = 0;
    std::shared_ptr<const hopwick::Picture> picture_;
};

} // namespace hopwick
