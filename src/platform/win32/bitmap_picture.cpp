#include "platform/win32/bitmap_picture.h"

#include "platform/win32/win32_texts.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace hopwick::win32 {

namespace {

constexpr std::uint64_t kFileHeaderBytes = sizeof(BITMAPFILEHEADER);

// Where the parts that GDI reads lie in a bitmap file.
struct BitmapLayout {
    std::uint64_t infoBytes; // the image header with its masks and colour table, right after the file header
    std::uint64_t bitsAt;    // the pixels
};

// What of the image header decides the layout, for both the old (core) header and the newer ones.
struct ImageHeader {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative for rows from the top down
    unsigned planes = 0;
    unsigned bitCount = 0;
    DWORD compression = BI_RGB;
    std::uint64_t imageBytes = 0;  // the size of compressed pixels
    std::uint64_t colours = 0;     // entries of the colour table
    std::uint64_t colourBytes = 0; // the size of one entry
    std::uint64_t headerBytes = 0; // with the masks that follow a plain info header
};

template <typename T> T valueAt(const std::string& bytes, std::uint64_t at) {
    T value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

std::optional<ImageHeader> imageHeaderOf(const std::string& bytes) {
    const std::uint64_t size = bytes.size();
    if (size < kFileHeaderBytes + sizeof(DWORD)) {
        return std::nullopt;
    }
    ImageHeader header;
    header.headerBytes = valueAt<DWORD>(bytes, kFileHeaderBytes);
    if (header.headerBytes > size - kFileHeaderBytes) {
        return std::nullopt;
    }
    if (header.headerBytes == sizeof(BITMAPCOREHEADER)) {
        const auto core = valueAt<BITMAPCOREHEADER>(bytes, kFileHeaderBytes);
        header.width = core.bcWidth;
        header.height = core.bcHeight;
        header.planes = core.bcPlanes;
        header.bitCount = core.bcBitCount;
        header.colours = header.bitCount <= 8 ? std::uint64_t{1} << header.bitCount : 0;
        header.colourBytes = sizeof(RGBTRIPLE);
        return header;
    }
    if (header.headerBytes < sizeof(BITMAPINFOHEADER)) {
        return std::nullopt;
    }
    const auto info = valueAt<BITMAPINFOHEADER>(bytes, kFileHeaderBytes);
    header.width = info.biWidth;
    header.height = info.biHeight;
    header.planes = info.biPlanes;
    header.bitCount = info.biBitCount;
    header.compression = info.biCompression;
    header.imageBytes = info.biSizeImage;
    // GDI may read as many entries as the header claims, so all of them must be there.
    header.colours = info.biClrUsed != 0    ? info.biClrUsed
                     : header.bitCount <= 8 ? std::uint64_t{1} << header.bitCount
                                            : 0;
    header.colourBytes = sizeof(RGBQUAD);
    if (header.compression == BI_BITFIELDS && header.headerBytes == sizeof(BITMAPINFOHEADER)) {
        header.headerBytes += 3 * sizeof(DWORD); // the red, green and blue masks
    }
    return header;
}

// Whether GDI draws such an image: the bit depths and compressions of bitmap files for the screen.
bool drawable(const ImageHeader& header) {
    if (header.width <= 0 || header.height == 0 || header.planes != 1) {
        return false;
    }
    switch (header.compression) {
    case BI_RGB:
        return header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8 || header.bitCount == 16 ||
               header.bitCount == 24 || header.bitCount == 32;
    case BI_BITFIELDS: return header.bitCount == 16 || header.bitCount == 32;
    case BI_RLE8: return header.bitCount == 8 && header.height > 0 && header.imageBytes != 0;
    case BI_RLE4: return header.bitCount == 4 && header.height > 0 && header.imageBytes != 0;
    default: return false;
    }
}

// The layout of a bitmap file whose every part lies within its bytes, so that GDI reads nothing beyond them.
std::optional<BitmapLayout> layoutOf(const std::string& bytes) {
    const std::optional<ImageHeader> header = imageHeaderOf(bytes);
    if (!header || !drawable(*header)) {
        return std::nullopt;
    }
    const std::uint64_t size = bytes.size();
    const std::uint64_t rest = size - kFileHeaderBytes;
    // Each term is checked against the file's size before it is added, so that no sum can overflow.
    if (header->headerBytes > rest || header->colours > rest / header->colourBytes ||
        header->colours * header->colourBytes > rest - header->headerBytes) {
        return std::nullopt;
    }
    BitmapLayout layout{header->headerBytes + header->colours * header->colourBytes, 0};
    // No offset of the pixels: they follow the colour table.
    const DWORD offset = valueAt<DWORD>(bytes, offsetof(BITMAPFILEHEADER, bfOffBits));
    layout.bitsAt = offset != 0 ? offset : kFileHeaderBytes + layout.infoBytes;
    if (layout.bitsAt > size) {
        return std::nullopt;
    }
    std::uint64_t pixelBytes = header->imageBytes;
    if (header->compression != BI_RLE8 && header->compression != BI_RLE4) {
        // Rows of whole 32-bit words.
        const std::uint64_t rowBytes = (static_cast<std::uint64_t>(header->width) * header->bitCount + 31) / 32 * 4;
        const std::uint64_t rows = static_cast<std::uint64_t>(header->height < 0 ? -header->height : header->height);
        if (rowBytes > size || rows > size) {
            return std::nullopt;
        }
        pixelBytes = rowBytes * rows;
    }
    if (pixelBytes > size - layout.bitsAt) {
        return std::nullopt;
    }
    return layout;
}

} // namespace

BitmapPicture::BitmapPicture(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP measures{};
    GetObjectW(bitmap_, sizeof measures, &measures);
    widthPixels_ = measures.bmWidth;
    heightPixels_ = measures.bmHeight;
}

BitmapPicture::~BitmapPicture() {
    DeleteObject(bitmap_);
}

void BitmapPicture::draw(HDC dc, int x, int y) const {
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, bitmap_);
    BitBlt(dc, x, y, widthPixels_, heightPixels_, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

PictureLoad bitmapPictureOf(const std::string& bytes) {
    const std::optional<BitmapLayout> layout = layoutOf(bytes);
    if (!layout) {
        return {nullptr, texts::kNotAPicture};
    }
    // The headers as GDI reads them, on the alignment that the structures have; in the file they follow the
    // 14 bytes of the file header.
    std::vector<DWORD> info((layout->infoBytes + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(info.data(), bytes.data() + kFileHeaderBytes, layout->infoBytes);
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap =
        CreateDIBitmap(screen, reinterpret_cast<const BITMAPINFOHEADER*>(info.data()), CBM_INIT,
                       bytes.data() + layout->bitsAt, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) {
        return {nullptr, texts::kNotAPicture};
    }
    return {std::make_shared<BitmapPicture>(bitmap), {}};
}

} // namespace hopwick::win32
