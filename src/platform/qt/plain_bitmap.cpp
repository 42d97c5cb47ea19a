#include "plain_bitmap.h"

#include <cstdint>

namespace hopwick {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40; // the newer headers are longer and begin alike
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t little32(std::string_view bytes, std::size_t at) {
    const auto byte = [&bytes, at](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
    };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

std::uint16_t little16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                                  << 8);
}

} // namespace

std::optional<QImage> plainBitmap(std::string_view bytes) {
    if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || !bytes.starts_with("BM")) {
        return std::nullopt;
    }
    const std::uint32_t headerBytes = little32(bytes, kFileHeaderBytes);
    const auto width = static_cast<std::int32_t>(little32(bytes, kFileHeaderBytes + 4));
    const auto height = static_cast<std::int32_t>(little32(bytes, kFileHeaderBytes + 8));
    if (headerBytes < kInfoHeaderBytes || headerBytes > bytes.size() - kFileHeaderBytes ||
        little16(bytes, kFileHeaderBytes + 12) != 1 || little16(bytes, kFileHeaderBytes + 14) != 24 ||
        little32(bytes, kFileHeaderBytes + 16) != kUncompressed || width <= 0 || height == 0 || height == INT32_MIN) {
        return std::nullopt;
    }
    const std::uint32_t offset = little32(bytes, 10);
    const std::uint64_t pixelsAt = offset != 0 ? offset : kFileHeaderBytes + headerBytes;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    const std::uint64_t rowBytes = (std::uint64_t{static_cast<std::uint32_t>(width)} * 3 + 3) / 4 * 4;
    // Each term against the file's size first, so that the product cannot overflow.
    if (pixelsAt > bytes.size() || rowBytes > bytes.size() || rows > bytes.size() ||
        rowBytes * rows > bytes.size() - pixelsAt) {
        return std::nullopt;
    }
    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    if (image.isNull()) {
        return std::nullopt;
    }
    const auto* pixels = reinterpret_cast<const unsigned char*>(bytes.data() + pixelsAt);
    for (std::uint64_t row = 0; row < rows; ++row) {
        // Rows go from the bottom up unless the height is negative.
        const unsigned char* from = pixels + (height > 0 ? rows - 1 - row : row) * rowBytes;
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(row)));
        for (std::int32_t x = 0; x < width; ++x, from += 3) {
            to[x] = qRgb(from[2], from[1], from[0]);
        }
    }
    return image;
}

} // namespace hopwick
