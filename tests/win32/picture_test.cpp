#include "platform/win32/picture.h"
#include "platform/win32/win32_platform.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace hopwick::win32 {
namespace {

using testing::TempFolder;

void put16(std::string& out, std::uint16_t value) {
    out.append(reinterpret_cast<const char*>(&value), 2);
}
void put32(std::string& out, std::uint32_t value) {
    out.append(reinterpret_cast<const char*>(&value), 4);
}

// The BITMAPINFOHEADER of a 32-bit image; `rows` counts the icon's mask rows too.
std::string infoHeader(int width, int rows) {
    std::string out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(rows));
    put16(out, 1);
    put16(out, 32);
    out.append(24, '\0');
    return out;
}

// A 32-bit bottom-up image in one colour, 0x00RRGGBB.
std::string pixels(int width, int height, std::uint32_t colour) {
    std::string out;
    for (int i = 0; i < width * height; ++i) {
        put32(out, colour);
    }
    return out;
}

std::string bitmapFile(int width, int height, std::uint32_t colour) {
    const std::string image = infoHeader(width, height) + pixels(width, height, colour);
    std::string out = "BM";
    put32(out, static_cast<std::uint32_t>(14 + image.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    return out + image;
}

std::string iconFile(int size) {
    // The AND mask: rows of whole 32-bit words, all opaque.
    const std::string image = infoHeader(size, size * 2) + pixels(size, size, 0x0000FF00) +
                              std::string(static_cast<std::size_t>(size * ((size + 31) / 32) * 4), '\0');
    std::string out;
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    out += static_cast<char>(size);
    out += static_cast<char>(size);
    out.append(2, '\0');
    put16(out, 1);
    put16(out, 32);
    put32(out, static_cast<std::uint32_t>(image.size()));
    put32(out, 22);
    return out + image;
}

// One black pixel, the smallest GIF there is.
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                       ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                       35);

class PictureTest : public ::testing::Test {
protected:
    // The picture loader needs COM on this thread, as the program's main sets it up.
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }

    TempFolder temp;
    Win32Platform platform;
};

TEST_F(PictureTest, BitmapsIconsAndGifsLoadAtTheirOwnSize) {
    const PictureLoad bitmap = platform.loadPicture(temp.write("back.bmp", bitmapFile(5, 3, 0x00FF0000)));
    ASSERT_TRUE(bitmap.picture) << bitmap.error;
    EXPECT_EQ(bitmap.error, "");
    EXPECT_EQ(bitmap.picture->widthPixels(), 5);
    EXPECT_EQ(bitmap.picture->heightPixels(), 3);

    const PictureLoad icon = platform.loadPicture(temp.write("hop.ico", iconFile(32)));
    ASSERT_TRUE(icon.picture) << icon.error;
    EXPECT_EQ(icon.picture->widthPixels(), 32);
    EXPECT_EQ(icon.picture->heightPixels(), 32);

    const PictureLoad gif = platform.loadPicture(temp.write("dot.gif", kGif));
    ASSERT_TRUE(gif.picture) << gif.error;
    EXPECT_EQ(gif.picture->widthPixels(), 1);
}

TEST_F(PictureTest, ABitmapIsDrawnAtTheTopLeftInItsOwnColours) {
    const PictureLoad bitmap = platform.loadPicture(temp.write("red.bmp", bitmapFile(4, 2, 0x00FF0000)));
    ASSERT_TRUE(bitmap.picture) << bitmap.error;
    const auto* picture = dynamic_cast<const Win32Picture*>(bitmap.picture.get());
    ASSERT_NE(picture, nullptr);

    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP canvas = CreateCompatibleBitmap(screen, 10, 10);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, canvas);
    RECT all{0, 0, 10, 10};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture->draw(dc, 0, 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0xFF, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 1), RGB(0xFF, 0, 0));
    EXPECT_EQ(GetPixel(dc, 4, 0), RGB(0xFF, 0xFF, 0xFF)) << "neither stretched nor repeated";
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(0xFF, 0xFF, 0xFF));
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
}

TEST_F(PictureTest, WhatIsNoPictureFailsWithAReasonAndAnEmptyPathGivesNone) {
    const PictureLoad none = platform.loadPicture("");
    EXPECT_FALSE(none.picture);
    EXPECT_EQ(none.error, "");
    for (const std::string& path : {temp.write("notes.bmp", "just some text, no bitmap"), temp.write("empty.gif", ""),
                                    temp.file("gone.bmp"), temp.path().string()}) {
        const PictureLoad failed = platform.loadPicture(path);
        EXPECT_FALSE(failed.picture) << path;
        EXPECT_NE(failed.error, "") << path;
    }
}

} // namespace
} // namespace hopwick::win32
