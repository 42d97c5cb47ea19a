#include "edit/picture_file.h"
#include "picture_samples.h"
#include "platform/win32/bitmap_picture.h"
#include "platform/win32/ole_on_demand.h"
#include "platform/win32/ole_picture.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

// Rows of three-byte pixels (blue, green, red), each row padded to whole 32-bit words.
std::string rows24(const std::vector<std::vector<std::uint32_t>>& rows) {
    std::string out;
    for (const std::vector<std::uint32_t>& row : rows) {
        for (const std::uint32_t colour : row) {
            out += bytes32(colour).substr(0, 3);
        }
        out.append((4 - row.size() * 3 % 4) % 4, '\0');
    }
    return out;
}

// Bitmaps as other programs write them; the picture loader of the system is the reference.
struct Sample {
    const char* name;
    std::string file;
};

std::vector<Sample> wellFormedBitmaps() {
    const std::uint32_t red = 0x00FF0000;
    const std::uint32_t green = 0x0000FF00;
    const std::uint32_t blue = 0x000000FF;
    // The core header of the oldest bitmaps: 16-bit sizes, three-byte colour entries.
    const std::string coreHeader = bytes32(12) + bytes16(3) + bytes16(2) + bytes16(1) + bytes16(24);
    return {
        {"24 bits, rows padded",
         bitmapFile(
             infoHeader(5, 3, 24), "",
             rows24({{red, red, red, red, red}, {green, green, green, green, green}, {blue, blue, blue, blue, blue}}))},
        {"24 bits, top-down", bitmapFile(infoHeader(2, -2, 24), "", rows24({{red, green}, {blue, red}}))},
        {"32 bits", plainBitmap(3, 2, green)},
        {"8 bits, two colours used", bitmapFile(infoHeader(3, 1, 8, BI_RGB, 0, 2), bytes32(blue) + bytes32(red),
                                                std::string("\x01\x00\x01\x00", 4))},
        {"8 bits, run-length encoded", bitmapFile(infoHeader(4, 2, 8, BI_RLE8, 8, 2), bytes32(green) + bytes32(red),
                                                  std::string("\x04\x01\x00\x00\x04\x00\x00\x01", 8))},
        {"core header", bitmapFile(coreHeader, "", rows24({{blue, blue, blue}, {red, green, blue}}))},
    };
}

TEST(BitmapPictureTest, WellFormedBitmapsLookAsThroughTheSystemsPictureLoader) {
    const OleScope ole;
    for (const Sample& sample : wellFormedBitmaps()) {
        const PictureFileCheck check = checkPictureFile(sample.file);
        ASSERT_EQ(check.fault, PictureFault::None) << sample.name;
        ASSERT_EQ(check.kind, PictureKind::Bitmap) << sample.name;
        const PictureLoad ours = bitmapPictureOf(sample.file);
        const PictureLoad system = olePictureOf(sample.file);
        ASSERT_TRUE(ours.picture) << sample.name << ": " << ours.error;
        ASSERT_TRUE(system.picture) << sample.name << ": " << system.error;
        EXPECT_EQ(ours.error, "");
        EXPECT_EQ(ours.picture->widthPixels(), system.picture->widthPixels()) << sample.name;
        EXPECT_EQ(ours.picture->heightPixels(), system.picture->heightPixels()) << sample.name;
        // A margin of white beyond the picture: neither is stretched.
        const int width = system.picture->widthPixels() + 2;
        const int height = system.picture->heightPixels() + 2;
        EXPECT_EQ(drawnOnWhite(dynamic_cast<const Win32Picture&>(*ours.picture), width, height),
                  drawnOnWhite(dynamic_cast<const Win32Picture&>(*system.picture), width, height))
            << sample.name;
    }
}

TEST(BitmapPictureTest, ATopDownBitmapStartsWithItsFirstRow) {
    const std::string file = bitmapFile(infoHeader(1, -2, 24), "", rows24({{0x00FF0000}, {0x000000FF}}));
    const PictureLoad load = bitmapPictureOf(file);
    ASSERT_TRUE(load.picture) << load.error;
    const std::vector<COLORREF> pixels = drawnOnWhite(dynamic_cast<const Win32Picture&>(*load.picture), 1, 2);
    EXPECT_EQ(pixels, (std::vector<COLORREF>{RGB(0xFF, 0, 0), RGB(0, 0, 0xFF)}));
}

// Damaged files whose headers promise more than they hold: nothing may be read beyond their bytes.
TEST(BitmapPictureTest, ABitmapThatPromisesMoreThanItHoldsFailsWithAReason) {
    const std::string whole = plainBitmap(4, 4, 0x00FF0000);
    auto patched = [&whole](std::size_t at, const std::string& value) {
        return std::string(whole).replace(at, value.size(), value);
    };
    const std::vector<Sample> damaged = {
        {"signature only", "BM"},
        {"no image header", whole.substr(0, 16)},
        {"pixels cut short", whole.substr(0, whole.size() - 1)},
        {"pixels far beyond the end", patched(10, bytes32(0x7FFFFFF0))},
        {"image header larger than the file", patched(14, bytes32(0x10000))},
        {"image header too small", patched(14, bytes32(20))},
        {"huge width", patched(18, bytes32(0x7FFFFFFF))},
        {"huge height", patched(22, bytes32(0x7FFFFFFF))},
        {"no width", patched(18, bytes32(0))},
        {"no height", patched(22, bytes32(0))},
        {"unknown depth", patched(28, bytes16(7))},
        {"colour table beyond the end", patched(46, bytes32(0xFFFFFFFF))},
        {"compressed pixels beyond the end",
         bitmapFile(infoHeader(4, 1, 8, BI_RLE8, 1000, 1), bytes32(0), std::string("\x04\x00\x00\x01", 4))},
        {"compression of another depth", bitmapFile(infoHeader(4, 1, 24, BI_RLE8, 4), "", std::string(4, '\0'))},
        {"embedded JPEG", bitmapFile(infoHeader(1, 1, 0, BI_JPEG, 4), "", std::string(4, '\0'))},
    };
    for (const Sample& sample : damaged) {
        const PictureLoad load = bitmapPictureOf(sample.file);
        EXPECT_FALSE(load.picture) << sample.name;
        EXPECT_NE(load.error, "") << sample.name;
    }
}

} // namespace
} // namespace hopwick::win32
