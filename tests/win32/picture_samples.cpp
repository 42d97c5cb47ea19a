#include "picture_samples.h"

namespace hopwick::win32 {

std::string bytes16(std::uint16_t value) {
    return std::string(reinterpret_cast<const char*>(&value), 2);
}

std::string bytes32(std::uint32_t value) {
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

std::string infoHeader(int width, int height, int bitCount, std::uint32_t compression, std::uint32_t imageBytes,
                       std::uint32_t coloursUsed) {
    return bytes32(40) + bytes32(static_cast<std::uint32_t>(width)) + bytes32(static_cast<std::uint32_t>(height)) +
           bytes16(1) + bytes16(static_cast<std::uint16_t>(bitCount)) + bytes32(compression) + bytes32(imageBytes) +
           bytes32(0) + bytes32(0) + bytes32(coloursUsed) + bytes32(0);
}

std::string bitmapFile(const std::string& header, const std::string& colourTable, const std::string& pixels) {
    const std::size_t offset = 14 + header.size() + colourTable.size();
    return "BM" + bytes32(static_cast<std::uint32_t>(offset + pixels.size())) + bytes32(0) +
           bytes32(static_cast<std::uint32_t>(offset)) + header + colourTable + pixels;
}

namespace {

std::string pixels32(int count, std::uint32_t colour) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += bytes32(colour);
    }
    return out;
}

} // namespace

std::string plainBitmap(int width, int height, std::uint32_t colour) {
    return bitmapFile(infoHeader(width, height, 32), "", pixels32(width * height, colour));
}

std::string iconFile(int size) {
    // The AND mask: rows of whole 32-bit words, all opaque.
    const std::string image = infoHeader(size, size * 2, 32) + pixels32(size * size, 0x0000FF00) +
                              std::string(static_cast<std::size_t>(size * ((size + 31) / 32) * 4), '\0');
    const std::string extent(2, static_cast<char>(size));
    return bytes16(0) + bytes16(1) + bytes16(1) + extent + std::string(2, '\0') + bytes16(1) + bytes16(32) +
           bytes32(static_cast<std::uint32_t>(image.size())) + bytes32(22) + image;
}

const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                       ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                       35);

std::vector<COLORREF> drawnOnWhite(const Win32Picture& picture, int width, int height) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, canvas);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture.draw(dc, 0, 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return pixels;
}

} // namespace hopwick::win32
