#include "app/form_window.h"

namespace hopwick {

void FormWindow::setCaption(const std::string& caption) {
    caption_ = caption;
    platform_.applyCaption(caption_);
}

void FormWindow::setWidth(int twips) {
    width_ = twips;
    platform_.applyWindowSize(width_, height_);
}

void FormWindow::setHeight(int twips) {
    height_ = twips;
    platform_.applyWindowSize(width_, height_);
}

void FormWindow::setPicture(std::shared_ptr<const hopwick::Picture> picture) {
    picture_ = std::move(picture);
    platform_.applyPicture(picture_);
}

} // namespace hopwick
