#pragma once

#include "platform/window_view.h"

#include <QtCore/QIODevice>
#include <QtGui/QImage>

#include <string_view>

namespace hopwick {

// A picture as the window draws it: always a 32-bit image. An indexed image's pixels may name colours beyond its
// colour table, which the painter would look up unchecked; the conversion gives those black.
class QtPicture final : public Picture {
public:
    explicit QtPicture(const QImage& image);
    int widthPixels() const override { return image_.width(); }
    int heightPixels() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// Reads an image from `device`, in `format` when one is named, else in whatever format the bytes are; a null image
// when it cannot.
QImage readImage(QIODevice& device, const QByteArray& format);

// Decodes a picture file's bytes: a bitmap, icon or GIF told by its bytes, not by its name, whose structure and
// size pass the checks that both front ends make; every pixel of the picture is defined.
PictureLoad decodePicture(std::string_view bytes);

} // namespace hopwick
