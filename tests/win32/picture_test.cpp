#include "app/texts.h"
#include "picture_samples.h"
#include "platform/win32/ole_on_demand.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_texts.h"
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
    Win32Platform platform;
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

TEST_F(PictureTest, WhatIsNoPictureFailsWithAReasonAndAnEmptyPathGivesNone) {
    const PictureLoad none = platform.loadPicture("");
    EXPECT_FALSE(none.picture);
    EXPECT_EQ(none.error, "");
    // Bitmaps fail through their own reader, everything else through the system's picture loader: both say why.
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
