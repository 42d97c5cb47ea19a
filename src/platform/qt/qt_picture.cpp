#include "qt_picture.h"

#include "plain_bitmap.h"

#include "app/texts.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>

namespace hopwick {

namespace {

// The picture formats that the window takes, told by their first bytes.
QByteArray formatOf(std::string_view bytes) {
    if (bytes.starts_with("BM")) {
        return "bmp";
    }
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) {
        return "gif";
    }
    if (bytes.starts_with(std::string_view("\0\0\1\0", 4))) {
        return "ico";
    }
    return {}; // anything else: let the reader find out
}

} // namespace

QImage readImage(QIODevice& device, const QByteArray& format) {
    QImageReader reader(&device, format);
    // Qt lets any image plugin claim a named format before its own reader, and loads every plugin to ask them;
    // without the detection a named format goes straight to the reader that has its name.
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

PictureLoad decodePicture(std::string_view bytes) {
    if (std::optional<QImage> bitmap = plainBitmap(bytes)) {
        return {std::make_shared<QtPicture>(*std::move(bitmap)), {}};
    }
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImage image = readImage(buffer, formatOf(bytes));
    if (image.isNull()) {
        return {nullptr, texts::kNotAPictureReason}; // the reader's own reason is English
    }
    return {std::make_shared<QtPicture>(std::move(image)), {}};
}

} // namespace hopwick
