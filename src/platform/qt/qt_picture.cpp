#include "qt_picture.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>

namespace hopwick {

PictureLoad decodePicture(std::string_view bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull()) {
        return {nullptr, reader.errorString().toStdString()};
    }
    return {std::make_shared<QtPicture>(std::move(image)), {}};
}

} // namespace hopwick
