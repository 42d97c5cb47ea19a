#pragma once

#include <QtGui/QImage>

#include <optional>
#include <string_view>

namespace hopwick {

// The image of an uncompressed 24-bit Windows bitmap file, the usual kind of background picture, read straight
// from its bytes; nothing for any other kind or a file whose pixels do not all lie within it, which the image
// reader then takes. The reader reads such a file row by row through a device, several times slower, and
// the picture is read while the window starts.
std::optional<QImage> plainBitmap(std::string_view bytes);

} // namespace hopwick
