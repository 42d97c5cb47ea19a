#include "qt_picture.h"

#include "app/texts.h"
#include "edit/picture_file.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>

namespace hopwick {

namespace {

QByteArray formatName(PictureKind kind) {
    switch (kind) {
    case PictureKind::Bitmap: return "bmp";
    case PictureKind::Icon: return "ico";
    case PictureKind::Gif: return "gif";
    }
    return {};
}

// The image that the bitmap reader decodes into, every pixel set beforehand: run-length codes may skip pixels,
// which the reader then leaves as it found them. Null when the reader cannot tell the size and format before it
// reads.
QImage prefilled(QImageReader& reader) {
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isEmpty() || format == QImage::Format_Invalid) {
        return {};
    }
    QImage image(size, format);
    image.fill(0); // the first colour of the table, or black
    return image;
}

} // namespace

QtPicture::QtPicture(const QImage& image)
    : image_(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32)) {}

QImage readImage(QIODevice& device, const QByteArray& format) {
    QImageReader reader(&device, format);
    // Qt lets any image plugin claim a named format before its own reader, and loads every plugin to ask them;
    // without the detection a named format goes straight to the reader that has its name.
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

PictureLoad decodePicture(std::string_view bytes) {
    const PictureFileCheck check = checkPictureFile(bytes);
    switch (check.fault) {
    case PictureFault::NotAPicture: return {nullptr, texts::kNotAPictureReason};
    case PictureFault::TooLarge: return {nullptr, texts::kPictureTooManyPixelsReason};
    case PictureFault::None: break;
    }
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, formatName(check.kind));
    reader.setAutoDetectImageFormat(false);
    QImage image = check.kind == PictureKind::Bitmap ? prefilled(reader) : QImage();
    if (!reader.read(&image) || image.isNull()) {
        return {nullptr, texts::kNotAPictureReason}; // the reader's own reason is English
    }
    // The reader may find another size than the headers gave.
    if (!picturePixelsAllowed(image.width(), image.height())) {
        return {nullptr, texts::kPictureTooManyPixelsReason};
    }
    return {std::make_shared<QtPicture>(image), {}};
}

} // namespace hopwick
