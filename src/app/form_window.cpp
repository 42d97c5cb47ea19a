#include "app/form_window.h"

namespace hopwick {

void FormWindow::setCaption(const std::string& caption) {
    caption_ = caption;
    view_.applyCaption(caption_);
}

void FormWindow::setWidth(int twips) {
    width_ = twips;
    view_.applyWindowSize(width_, height_);
}

void FormWindow::setHeight(int twips) {
    height_ = twips;
    view_.applyWindowSize(width_, height_);
}

void FormWindow::setPicture(std::shared_ptr<const hopwick::Picture> picture) {
    picture_ = std::move(picture);
    view_.applyPicture(picture_);
}

} // namespace hopwick
