#include "qt_picture.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>

namespace hopwick {

namespace {

// The picture formats that the window takes, told by their first bytes. Naming the format spares the reader
// from loading every image plugin to ask each whether it knows the bytes.
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

PictureLoad decodePicture(std::string_view bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, formatOf(bytes));
    QImage image = reader.read();
    if (image.isNull()) {
        return {nullptr, reader.errorString().toStdString()};
    }
    return {std::make_shared<QtPicture>(std::move(image)), {}};
}

} // namespace hopwick
