// The Qt front end's picture path on any bytes, as the window runs it: the checks that both front ends make,
// the decoding, the 32-bit picture within the size bound, and its paint.

#include "fuzz_check.h"

#include "edit/picture_file.h"
#include "platform/qt/qt_picture.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The program's own kind of application, without a display.
    static int argc = 3;
    static char name[] = "picture_fuzz";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    static QGuiApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using hopwick::fuzz::require;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const hopwick::PictureLoad load = hopwick::decodePicture(bytes);
    if (!load.picture) {
        require(!load.error.empty(), "a picture that does not load says why");
        return 0;
    }
    const auto* picture = dynamic_cast<const hopwick::QtPicture*>(load.picture.get());
    require(picture != nullptr, "the front end draws its own pictures");
    const QImage& image = picture->image();
    require(image.depth() == 32 && image.colorTable().isEmpty(), "every picture is a 32-bit image");
    require(hopwick::picturePixelsAllowed(image.width(), image.height()), "every picture is within the bound");
    require(load.picture->widthPixels() == image.width() && load.picture->heightPixels() == image.height(),
            "the picture's size is its image's");
    // Painted as the window paints its background, onto a canvas of about the window's size.
    QImage canvas(480, 330, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, image);
    return 0;
}
