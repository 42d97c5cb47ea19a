#include "app/texts.h"
#include "picture_samples.h"
#include "platform/system_platform.h"
#include "platform/win32/win32_platform.h"
#include "platform/windows/ole_on_demand.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"
#include "platform/windows/win32_texts.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

using testing::TempFolder;

// Nothing here starts OLE: the loader must start it itself for the pictures that need it, and the scope ends
// it after each test, as the program's start-up does at its end.
class PictureTest : public ::testing::Test {
protected:
    OleScope ole;
    TempFolder temp;
    SystemPlatform system;
    Win32Platform platform{system};
};

TEST_F(PictureTest, BitmapsIconsAndGifsLoadAtTheirOwnSize) {
    const PictureLoad bitmap = platform.loadPicture(temp.write("back.bmp", plainBitmap(5, 3, 0x00FF0000)));
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

TEST_F(PictureTest, TheKindComesFromTheContentNotTheName) {
    const PictureLoad bitmap = platform.loadPicture(temp.write("named.gif", plainBitmap(2, 2, 0x000000FF)));
    ASSERT_TRUE(bitmap.picture) << bitmap.error;
    EXPECT_EQ(bitmap.picture->widthPixels(), 2);
    const PictureLoad icon = platform.loadPicture(temp.write("named.bmp", iconFile(16)));
    ASSERT_TRUE(icon.picture) << icon.error;
    EXPECT_EQ(icon.picture->widthPixels(), 16);
}

TEST_F(PictureTest, BitmapsAndIconsAreDrawnAtTheTopLeftInTheirOwnColours) {
    const PictureLoad bitmap = platform.loadPicture(temp.write("red.bmp", plainBitmap(4, 2, 0x00FF0000)));
    ASSERT_TRUE(bitmap.picture) << bitmap.error;
    const auto* picture = dynamic_cast<const Win32Picture*>(bitmap.picture.get());
    ASSERT_NE(picture, nullptr);
    const std::vector<COLORREF> pixels = drawnOnWhite(*picture, 10, 10);
    EXPECT_EQ(pixels[0], RGB(0xFF, 0, 0));
    EXPECT_EQ(pixels[1 * 10 + 3], RGB(0xFF, 0, 0));
    EXPECT_EQ(pixels[4], RGB(0xFF, 0xFF, 0xFF)) << "neither stretched nor repeated";
    EXPECT_EQ(pixels[2 * 10], RGB(0xFF, 0xFF, 0xFF));

    const PictureLoad icon = platform.loadPicture(temp.write("green.ico", iconFile(16)));
    ASSERT_TRUE(icon.picture) << icon.error;
    const std::vector<COLORREF> iconPixels = drawnOnWhite(dynamic_cast<const Win32Picture&>(*icon.picture), 20, 20);
    EXPECT_EQ(iconPixels[0], RGB(0, 0xFF, 0));
    EXPECT_EQ(iconPixels[15 * 20 + 15], RGB(0, 0xFF, 0));
    EXPECT_EQ(iconPixels[16 * 20 + 16], RGB(0xFF, 0xFF, 0xFF));
}

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

// The kinds of bitmap that other programs write, as the check takes them: the system's loader draws each at its
// size, the top-down one with its first row on top.
TEST_F(PictureTest, EveryKindOfBitmapThatTheCheckTakesLoads) {
    const std::uint32_t red = 0x00FF0000;
    const std::uint32_t green = 0x0000FF00;
    const std::uint32_t blue = 0x000000FF;
    const std::string coreHeader = bytes32(12) + bytes16(3) + bytes16(2) + bytes16(1) + bytes16(24);
    const struct {
        const char* name;
        std::string file;
        int width;
        int height;
    } samples[] = {
        {"24 bits, rows padded",
         bitmapFile(
             infoHeader(5, 3, 24), "",
             rows24({{red, red, red, red, red}, {green, green, green, green, green}, {blue, blue, blue, blue, blue}})),
         5, 3},
        {"32 bits", plainBitmap(3, 2, green), 3, 2},
        {"8 bits, two colours used",
         bitmapFile(infoHeader(3, 1, 8, BI_RGB, 0, 2), bytes32(blue) + bytes32(red),
                    std::string("\x01\x00\x01\x00", 4)),
         3, 1},
        {"8 bits, run-length encoded",
         bitmapFile(infoHeader(4, 2, 8, BI_RLE8, 8, 2), bytes32(green) + bytes32(red),
                    std::string("\x04\x01\x00\x00\x04\x00\x00\x01", 8)),
         4, 2},
        {"core header", bitmapFile(coreHeader, "", rows24({{blue, blue, blue}, {red, green, blue}})), 3, 2},
    };
    for (const auto& sample : samples) {
        const PictureLoad load = platform.loadPicture(temp.write("kind.bmp", sample.file));
        ASSERT_TRUE(load.picture) << sample.name << ": " << load.error;
        EXPECT_EQ(load.picture->widthPixels(), sample.width) << sample.name;
        EXPECT_EQ(load.picture->heightPixels(), sample.height) << sample.name;
    }
    const PictureLoad topDown =
        platform.loadPicture(temp.write("top.bmp", bitmapFile(infoHeader(1, -2, 24), "", rows24({{red}, {blue}}))));
    ASSERT_TRUE(topDown.picture) << topDown.error;
    EXPECT_EQ(drawnOnWhite(dynamic_cast<const Win32Picture&>(*topDown.picture), 1, 2),
              (std::vector<COLORREF>{RGB(0xFF, 0, 0), RGB(0, 0, 0xFF)}));
}

// A bitmap that another program has open for writing cannot be held against changes while the image loader reads
// it again: it loads from the bytes that were checked.
TEST_F(PictureTest, ABitmapThatAnotherProgramWritesLoadsFromTheCheckedBytes) {
    const std::string path = temp.write("busy.bmp", plainBitmap(6, 4, 0x0000FF00));
    const UniqueHandle writer(CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.valid());
    const PictureLoad load = platform.loadPicture(path);
    ASSERT_TRUE(load.picture) << load.error;
    EXPECT_EQ(load.picture->widthPixels(), 6);
    EXPECT_EQ(drawnOnWhite(dynamic_cast<const Win32Picture&>(*load.picture), 1, 1)[0], RGB(0, 0xFF, 0));
}

TEST_F(PictureTest, WhatIsNoPictureFailsWithAReasonAndAnEmptyPathGivesNone) {
    const PictureLoad none = platform.loadPicture("");
    EXPECT_FALSE(none.picture);
    EXPECT_EQ(none.error, "");
    // Refused by the check or by the system's picture loader: both say why.
    for (const std::string& path :
         {temp.write("notes.bmp", "just some text, no bitmap"), temp.write("broken.bmp", "BM and then no bitmap"),
          temp.write("cut.bmp", plainBitmap(8, 8, 0).substr(0, 100)), temp.write("empty.gif", ""),
          temp.write("notes.gif", "GIF89a and then no picture")}) {
        const PictureLoad failed = platform.loadPicture(path);
        EXPECT_FALSE(failed.picture) << path;
        EXPECT_EQ(failed.error, texts::kNotAPicture) << path;
    }
    // What the system refuses, in its own Japanese words.
    const PictureLoad gone = platform.loadPicture(temp.file("gone.bmp"));
    EXPECT_FALSE(gone.picture);
    EXPECT_EQ(gone.error, systemMessage(ERROR_FILE_NOT_FOUND, kJapanese));
    const PictureLoad folder = platform.loadPicture(temp.path().string());
    EXPECT_FALSE(folder.picture);
    EXPECT_EQ(folder.error, systemMessage(ERROR_ACCESS_DENIED, kJapanese));
}

// Crafted files that the system's loaders once took: refused before they reach them, each with its reason.
TEST_F(PictureTest, CraftedFilesAreRefusedBeforeTheSystemReadsThem) {
    // 38 bytes whose directory claims 65535 entries: the picture loader read past them and crashed.
    const std::string manyEntries = bytes16(0) + bytes16(1) + bytes16(65535) + std::string("\x10\x10\0\0", 4) +
                                    bytes16(1) + bytes16(32) + bytes32(16) + bytes32(22) + std::string(16, '\0');
    ASSERT_EQ(manyEntries.size(), 38U);
    // 16000 by 16000 pixels claimed by a run-length coded bitmap of 64 bytes: GDI made all of them, 1 GB.
    const std::string hugeBitmap = bitmapFile(infoHeader(16000, 16000, 8, BI_RLE8, 2, 2),
                                              bytes32(0x00FF0000) + bytes32(0x000000FF), std::string("\0\1", 2));
    // A GIF whose screen and only frame claim 65535 by 65535 pixels.
    const std::string hugeGif = std::string("GIF89a\xff\xff\xff\xff\x80\0\0", 13) + std::string(6, '\0') +
                                std::string(",\0\0\0\0\xff\xff\xff\xff\0", 10) + std::string("\x02\x02\x44\x01\0;", 6);
    const std::pair<std::string, std::string> cases[] = {
        {temp.write("many.ico", manyEntries), texts::kNotAPicture},
        {temp.write("cut.ico", iconFile(16).substr(0, 100)), texts::kNotAPicture},
        {temp.write("huge.bmp", hugeBitmap), hopwick::texts::kPictureTooManyPixelsReason},
        {temp.write("huge.gif", hugeGif), hopwick::texts::kPictureTooManyPixelsReason},
    };
    for (const auto& [path, reason] : cases) {
        const PictureLoad load = platform.loadPicture(path);
        EXPECT_FALSE(load.picture) << path;
        EXPECT_EQ(load.error, reason) << path;
    }
}

TEST_F(PictureTest, AFileTooLargeForAPictureSaysSo) {
    const std::string path = temp.write("huge.bmp", "BM");
    {
        const UniqueHandle file(
            CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.valid());
        LARGE_INTEGER size{};
        size.QuadPart = 64 * 1024 * 1024 + 1;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }
    const PictureLoad huge = platform.loadPicture(path);
    EXPECT_FALSE(huge.picture);
    EXPECT_EQ(huge.error, texts::kPictureTooLarge);
}

} // namespace
} // namespace hopwick::win32
