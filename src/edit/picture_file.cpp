#include "edit/picture_file.h"

#include <algorithm>
#include <array>
#include <optional>

namespace hopwick {

namespace {

constexpr std::size_t kBitmapFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
// A bitmap's compressions.
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRunLength8 = 1;
constexpr std::uint32_t kRunLength4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kIconDirectoryBytes = 6;
constexpr std::size_t kIconEntryBytes = 16;
constexpr std::int64_t kMaxIconSide = 256;
constexpr std::size_t kGifHeaderBytes = 13; // signature and logical screen descriptor
constexpr std::size_t kGifImageDescriptorBytes = 10;
constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

// Reads little- and big-endian values from bytes known to hold them.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }
    bool holds(std::uint64_t at, std::uint64_t count) const { return at <= size() && count <= size() - at; }
    std::uint32_t byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::uint32_t little16(std::size_t at) const { return byte(at) | byte(at + 1) << 8; }
    std::uint32_t little32(std::size_t at) const { return little16(at) | little16(at + 2) << 16; }
    std::uint32_t big32(std::size_t at) const {
        return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
    }
    std::string_view view(std::size_t at, std::size_t count) const { return bytes_.substr(at, count); }

private:
    std::string_view bytes_;
};

PictureFileCheck sound(PictureKind kind) {
    return {PictureFault::None, kind};
}

PictureFileCheck fault(PictureFault fault) {
    return {fault, PictureKind::Bitmap};
}

// What of a bitmap's image header decides its layout, for both the old (core) header and the newer ones.
struct BitmapHeader {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative for rows from the top down
    std::uint32_t planes = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kUncompressed;
    std::uint64_t imageBytes = 0;  // the size of run-length coded pixels
    std::uint64_t colours = 0;     // entries of the colour table
    std::uint64_t colourBytes = 0; // the size of one entry
    std::uint64_t headerBytes = 0; // with the masks that follow a plain info header
};

std::optional<BitmapHeader> bitmapHeaderOf(const Bytes& file) {
    if (!file.holds(kBitmapFileHeaderBytes, 4)) {
        return std::nullopt;
    }
    BitmapHeader header;
    header.headerBytes = file.little32(kBitmapFileHeaderBytes);
    if (!file.holds(kBitmapFileHeaderBytes, header.headerBytes)) {
        return std::nullopt;
    }
    const std::size_t at = kBitmapFileHeaderBytes;
    if (header.headerBytes == kCoreHeaderBytes) {
        header.width = file.little16(at + 4);
        header.height = file.little16(at + 6);
        header.planes = file.little16(at + 8);
        header.bitCount = file.little16(at + 10);
        header.colours = header.bitCount <= 8 ? std::uint64_t{1} << header.bitCount : 0;
        header.colourBytes = 3;
        return header;
    }
    if (header.headerBytes < kInfoHeaderBytes) {
        return std::nullopt;
    }
    header.width = static_cast<std::int32_t>(file.little32(at + 4));
    header.height = static_cast<std::int32_t>(file.little32(at + 8));
    header.planes = file.little16(at + 12);
    header.bitCount = file.little16(at + 14);
    header.compression = file.little32(at + 16);
    header.imageBytes = file.little32(at + 20);
    // A decoder may read as many entries as the header claims, so all of them must be there.
    const std::uint32_t coloursUsed = file.little32(at + 32);
    header.colours = coloursUsed != 0 ? coloursUsed : header.bitCount <= 8 ? std::uint64_t{1} << header.bitCount : 0;
    header.colourBytes = 4;
    if (header.compression == kBitFields && header.headerBytes == kInfoHeaderBytes) {
        header.headerBytes += 3 * 4; // the red, green and blue masks
    }
    return header;
}

// Whether the image is of a kind that the decoders of both front ends draw: the depths and compressions of
// bitmap files for the screen.
bool drawableBitmap(const BitmapHeader& header) {
    if (header.planes != 1) {
        return false;
    }
    const std::uint32_t bits = header.bitCount;
    switch (header.compression) {
    case kUncompressed: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBitFields: return bits == 16 || bits == 32;
    case kRunLength8: return bits == 8 && header.height > 0 && header.imageBytes != 0;
    case kRunLength4: return bits == 4 && header.height > 0 && header.imageBytes != 0;
    default: return false;
    }
}

// Whether the headers, the colour table and the pixels all lie within the bytes, so that no decoder reads
// beyond them. Each term is checked against the file's size before it is added, so that no sum can overflow.
bool bitmapWithinFile(const Bytes& file, const BitmapHeader& header) {
    const std::uint64_t size = file.size();
    const std::uint64_t rest = size - kBitmapFileHeaderBytes;
    if (header.colours > rest / header.colourBytes || header.headerBytes > rest ||
        header.colours * header.colourBytes > rest - header.headerBytes) {
        return false;
    }
    // No offset of the pixels: they follow the colour table.
    const std::uint32_t offset = file.little32(10);
    const std::uint64_t pixelsAt =
        offset != 0 ? offset : kBitmapFileHeaderBytes + header.headerBytes + header.colours * header.colourBytes;
    if (pixelsAt > size) {
        return false;
    }
    std::uint64_t pixelBytes = header.imageBytes;
    if (header.compression != kRunLength8 && header.compression != kRunLength4) {
        // Rows of whole 32-bit words.
        const std::uint64_t rowBytes = (static_cast<std::uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
        const auto rows = static_cast<std::uint64_t>(header.height < 0 ? -header.height : header.height);
        if (rowBytes > size || rows > size) {
            return false;
        }
        pixelBytes = rowBytes * rows;
    }
    return pixelBytes <= size - pixelsAt;
}

PictureFileCheck checkBitmap(const Bytes& file) {
    const std::optional<BitmapHeader> header = bitmapHeaderOf(file);
    if (!header || header->width <= 0 || header->height == 0) {
        return fault(PictureFault::NotAPicture);
    }
    // Rows run from the top down when the height is negative.
    if (!picturePixelsAllowed(header->width, header->height < 0 ? -header->height : header->height)) {
        return fault(PictureFault::TooLarge);
    }
    if (!drawableBitmap(*header) || !bitmapWithinFile(file, *header)) {
        return fault(PictureFault::NotAPicture);
    }
    return {PictureFault::None, PictureKind::Bitmap, header->height < 0};
}

// A PNG image inside an icon: its header chunk, which gives its size, is there and the size is an icon's.
bool soundIconPng(const Bytes& image) {
    constexpr std::size_t kHeaderChunkAt = 8;
    if (!image.holds(0, kHeaderChunkAt + 16) || image.view(kHeaderChunkAt + 4, 4) != "IHDR") {
        return false;
    }
    const std::int64_t width = image.big32(kHeaderChunkAt + 8);
    const std::int64_t height = image.big32(kHeaderChunkAt + 12);
    return width >= 1 && width <= kMaxIconSide && height >= 1 && height <= kMaxIconSide;
}

// A device-independent bitmap inside an icon: the colour image and its transparency mask, the mask's rows under
// the colour rows in the height, all within the image's bytes.
bool soundIconBitmap(const Bytes& image) {
    if (!image.holds(0, kInfoHeaderBytes)) {
        return false;
    }
    const std::uint64_t headerBytes = image.little32(0);
    const auto width = static_cast<std::int32_t>(image.little32(4));
    const auto doubleHeight = static_cast<std::int32_t>(image.little32(8));
    const std::uint32_t planes = image.little16(12);
    const std::uint32_t bitCount = image.little16(14);
    const std::uint32_t compression = image.little32(16);
    const std::uint64_t coloursUsed = image.little32(32);
    constexpr std::array kBitCounts{1U, 4U, 8U, 16U, 24U, 32U};
    if (headerBytes < kInfoHeaderBytes || width < 1 || width > kMaxIconSide || doubleHeight < 2 ||
        doubleHeight > 2 * kMaxIconSide || planes > 1 || compression != 0 ||
        std::find(kBitCounts.begin(), kBitCounts.end(), bitCount) == kBitCounts.end()) {
        return false;
    }
    const std::uint64_t tableColours = bitCount <= 8 ? std::uint64_t{1} << bitCount : 0;
    if (coloursUsed > tableColours) {
        return false;
    }
    const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : tableColours;
    const std::uint64_t rows = static_cast<std::uint64_t>(doubleHeight) / 2;
    const auto rowBytes = [width](std::uint64_t bits) {
        return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    };
    // Small terms: no sum can overflow.
    return image.holds(0, headerBytes + colours * 4 + rows * (rowBytes(bitCount) + rowBytes(1)));
}

PictureFileCheck checkIcon(const Bytes& file) {
    const std::uint32_t count = file.holds(0, kIconDirectoryBytes) ? file.little16(4) : 0;
    if (count == 0 || !file.holds(kIconDirectoryBytes, std::uint64_t{count} * kIconEntryBytes)) {
        return fault(PictureFault::NotAPicture);
    }
    // The system takes whichever entry suits it: every one must be sound.
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = kIconDirectoryBytes + i * kIconEntryBytes;
        const std::uint32_t imageBytes = file.little32(entry + 8);
        const std::uint32_t imageAt = file.little32(entry + 12);
        if (imageBytes == 0 || !file.holds(imageAt, imageBytes)) {
            return fault(PictureFault::NotAPicture);
        }
        const Bytes image(file.view(imageAt, imageBytes));
        const bool png = image.holds(0, kPngSignature.size()) && image.view(0, kPngSignature.size()) == kPngSignature;
        if (!(png ? soundIconPng(image) : soundIconBitmap(image))) {
            return fault(PictureFault::NotAPicture);
        }
    }
    return sound(PictureKind::Icon);
}

// The position after the data sub-blocks that start at `at`, each a length byte and that many bytes, the last
// one empty; 0 when they run past the end.
std::size_t afterSubBlocks(const Bytes& file, std::size_t at) {
    while (file.holds(at, 1)) {
        const std::uint32_t length = file.byte(at);
        if (!file.holds(at + 1, length)) {
            return 0;
        }
        at += 1 + length;
        if (length == 0) {
            return at;
        }
    }
    return 0;
}

// The bytes of a colour table that `flags` announce (3 bytes an entry, 2 to 256 entries), 0 for none.
std::size_t colourTableBytes(std::uint32_t flags) {
    return (flags & 0x80) != 0 ? std::size_t{3} << ((flags & 7) + 1) : 0;
}

PictureFileCheck checkGif(const Bytes& file) {
    if (!file.holds(0, kGifHeaderBytes)) {
        return fault(PictureFault::NotAPicture);
    }
    const std::int64_t screenWidth = file.little16(6);
    const std::int64_t screenHeight = file.little16(8);
    if (screenWidth == 0 || screenHeight == 0) {
        return fault(PictureFault::NotAPicture);
    }
    std::size_t at = kGifHeaderBytes + colourTableBytes(file.byte(10));
    std::uint64_t framePixels = 0;
    bool image = false;
    // Every block, up to the trailer or the end of the file.
    while (file.holds(at, 1) && file.byte(at) != ';') {
        const std::uint32_t introducer = file.byte(at);
        if (introducer == '!' && file.holds(at, 2)) {
            at = afterSubBlocks(file, at + 2);
        } else if (introducer == ',' && file.holds(at, kGifImageDescriptorBytes + 1)) {
            const std::int64_t left = file.little16(at + 1);
            const std::int64_t top = file.little16(at + 3);
            const std::int64_t width = file.little16(at + 5);
            const std::int64_t height = file.little16(at + 7);
            if (width == 0 || height == 0 || left + width > screenWidth || top + height > screenHeight) {
                return fault(PictureFault::NotAPicture);
            }
            // Each frame may be decoded into its own buffer.
            framePixels += static_cast<std::uint64_t>(width * height);
            if (framePixels > kMaxPicturePixels) {
                return fault(PictureFault::TooLarge);
            }
            at += kGifImageDescriptorBytes + colourTableBytes(file.byte(at + 9));
            const std::uint32_t codeBits = file.holds(at, 1) ? file.byte(at) : 0;
            if (codeBits < 1 || codeBits > 8) {
                return fault(PictureFault::NotAPicture);
            }
            at = afterSubBlocks(file, at + 1);
            image = true;
        } else {
            return fault(PictureFault::NotAPicture);
        }
        if (at == 0) {
            return fault(PictureFault::NotAPicture);
        }
    }
    if (!image) {
        return fault(PictureFault::NotAPicture);
    }
    return picturePixelsAllowed(screenWidth, screenHeight) ? sound(PictureKind::Gif) : fault(PictureFault::TooLarge);
}

} // namespace

bool picturePixelsAllowed(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && static_cast<std::uint64_t>(width) <= kMaxPicturePixels &&
           static_cast<std::uint64_t>(height) <= kMaxPicturePixels / static_cast<std::uint64_t>(width);
}

PictureFileCheck checkPictureFile(std::string_view bytes) {
    const Bytes file(bytes);
    if (bytes.starts_with("BM")) {
        return checkBitmap(file);
    }
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) {
        return checkGif(file);
    }
    if (bytes.starts_with(std::string_view("\0\0\1\0", 4))) {
        return checkIcon(file);
    }
    return fault(PictureFault::NotAPicture);
}

} // namespace hopwick
