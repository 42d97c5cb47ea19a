#pragma once

#include "platform/platform.h"

#include <QtCore/QIODevice>
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

// Reads an image from `device`, in `format` when one is named, else in whatever format the bytes are; a null image
// when it cannot.
QImage readImage(QIODevice& device, const QByteArray& format);

// Decodes a picture file's bytes; the format is found from the bytes, not from the name.
PictureLoad decodePicture(std::string_view bytes);

} // namespace hopwick
