#pragma once

#include "platform/platform.h"

#include <QtGui/QImage>

#include <string_view>

namespace hopwick {

class QtPicture final : public Picture {
public:
    explicit QtPicture(QImage image) : image_(std::move(image)) {}
    int widthPixels() const override { return image_.width(); }
    int heightPixels() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// Decodes a picture file's bytes; the format is found from the bytes, not from the name.
PictureLoad decodePicture(std::string_view bytes);

} // namespace hopwick
