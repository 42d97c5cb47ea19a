#include "edit/picture_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace hopwick {
namespace {

std::string little(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string big32(std::uint32_t value) {
    std::string out;
    for (int i = 3; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

constexpr std::uint32_t kRunLength8 = 1;

std::string infoHeader(std::int32_t width, std::int32_t height, int bitCount, std::uint32_t compression = 0,
                       std::uint32_t imageBytes = 0, std::uint32_t coloursUsed = 0) {
    return little(40, 4) + little(static_cast<std::uint32_t>(width), 4) +
           little(static_cast<std::uint32_t>(height), 4) + little(1, 2) +
           little(static_cast<std::uint32_t>(bitCount), 2) + little(compression, 4) + little(imageBytes, 4) +
           std::string(8, '\0') + little(coloursUsed, 4) + std::string(4, '\0');
}

// A bitmap file of the image header and the rest (colour table and pixels), the pixels' offset left out as some
// writers leave it.
std::string bitmapOf(const std::string& header, const std::string& rest) {
    return "BM" + little(static_cast<std::uint32_t>(14 + header.size() + rest.size()), 4) + little(0, 4) +
           little(0, 4) + header + rest;
}

std::string bitmap(std::int32_t width, std::int32_t height, const std::string& rest = std::string(16, '\0')) {
    return bitmapOf(infoHeader(width, height, 24), rest);
}

// A run-length coded bitmap of two colours whose pixels end at once: any size in a few bytes.
std::string codedBitmap(std::int32_t width, std::int32_t height) {
    return bitmapOf(infoHeader(width, height, 8, kRunLength8, 2, 2), std::string(8, 'c') + std::string("\0\1", 2));
}

// An icon entry's image: a 32-bit bitmap twice its height, the colours and then the mask.
std::string iconImage(std::int32_t width, std::int32_t height) {
    const std::size_t maskRow = static_cast<std::size_t>((width + 31) / 32 * 4);
    return infoHeader(width, 2 * height, 32) +
           std::string(static_cast<std::size_t>(width * height) * 4 + maskRow * static_cast<std::size_t>(height), 'x');
}

std::string pngImage(std::uint32_t width, std::uint32_t height) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + big32(13) + "IHDR" + big32(width) + big32(height) +
           std::string("\x08\x06\0\0\0", 5) + big32(0) + "rest of the PNG";
}

struct IconEntry {
    std::string image;
    std::uint32_t bytes = 0;  // 0: the image's size
    std::uint32_t offset = 0; // 0: where the image lies
};

std::string icon(const std::vector<IconEntry>& entries) {
    std::string directory = little(0, 2) + little(1, 2) + little(static_cast<std::uint32_t>(entries.size()), 2);
    std::string images;
    auto at = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IconEntry& entry : entries) {
        const auto bytes = static_cast<std::uint32_t>(entry.image.size());
        directory += std::string("\x20\x20\0\0", 4) + little(1, 2) + little(32, 2) +
                     little(entry.bytes != 0 ? entry.bytes : bytes, 4) +
                     little(entry.offset != 0 ? entry.offset : at, 4);
        images += entry.image;
        at += bytes;
    }
    return directory + images;
}

const std::string kPixels("\x02\x02\x44\x01\x00", 5); // the LZW data of one pixel

std::string gifScreen(std::uint32_t width, std::uint32_t height) {
    return "GIF89a" + little(width, 2) + little(height, 2) + std::string("\x80\0\0", 3) + std::string(6, '\0');
}

std::string gifImage(std::uint32_t left, std::uint32_t top, std::uint32_t width, std::uint32_t height,
                     const std::string& data = kPixels) {
    return "," + little(left, 2) + little(top, 2) + little(width, 2) + little(height, 2) + std::string(1, '\0') + data;
}

const std::string kExtension("!\xf9\x04\x00\x0a\x00\x00\x00", 8);

PictureFault faultOf(const std::string& bytes) {
    return checkPictureFile(bytes).fault;
}

TEST(PictureFileTest, TheKindComesFromTheFirstBytesAndOnlyTheThreeKindsAreTaken) {
    EXPECT_EQ(checkPictureFile(bitmap(2, 2)).kind, PictureKind::Bitmap);
    EXPECT_EQ(checkPictureFile(icon({{iconImage(16, 16)}})).kind, PictureKind::Icon);
    EXPECT_EQ(checkPictureFile(gifScreen(1, 1) + gifImage(0, 0, 1, 1) + ";").kind, PictureKind::Gif);
    for (const std::string& other :
         {std::string(), std::string("B"), std::string("bm"), std::string("GIF90a"), std::string("just some text"),
          pngImage(4, 4), std::string("\xff\xd8\xff\xe0", 4), std::string("\0\0\2\0", 4)}) {
        EXPECT_EQ(faultOf(other), PictureFault::NotAPicture) << other;
    }
}

TEST(PictureFileTest, APictureHoldsAtMost32MebipixelsWhateverItsShape) {
    EXPECT_EQ(kMaxPicturePixels, 33554432U);
    EXPECT_TRUE(picturePixelsAllowed(5792, 5792));
    EXPECT_FALSE(picturePixelsAllowed(5793, 5793));
    EXPECT_TRUE(picturePixelsAllowed(1, 33554432));
    EXPECT_FALSE(picturePixelsAllowed(1, 33554433));
    EXPECT_TRUE(picturePixelsAllowed(8192, 4096));
    EXPECT_FALSE(picturePixelsAllowed(8192, 4097));
    EXPECT_FALSE(picturePixelsAllowed(0, 5));
    EXPECT_FALSE(picturePixelsAllowed(5, -1));
    EXPECT_FALSE(picturePixelsAllowed(INT64_MAX, INT64_MAX)); // no product that overflows
    EXPECT_FALSE(picturePixelsAllowed(std::int64_t{1} << 32, std::int64_t{1} << 32));
}

TEST(PictureFileTest, ABitmapLargerThanTheBoundIsRefusedBeforeItIsDecoded) {
    EXPECT_EQ(faultOf(codedBitmap(5792, 5792)), PictureFault::None);
    EXPECT_EQ(faultOf(codedBitmap(16000, 16000)), PictureFault::TooLarge);
    EXPECT_EQ(faultOf(bitmap(16000, 16000)), PictureFault::TooLarge);
    EXPECT_EQ(faultOf(bitmap(16000, -16000)), PictureFault::TooLarge); // rows from the top down
    EXPECT_EQ(faultOf(bitmap(1, INT32_MIN)), PictureFault::TooLarge);
    EXPECT_EQ(faultOf(bitmap(0x7FFFFFFF, 1)), PictureFault::TooLarge);
    // The old core header, whose sizes have 16 bits.
    const std::string coreHeader = little(12, 4) + little(300, 2) + little(200, 2) + little(1, 2) + little(24, 2);
    EXPECT_EQ(faultOf(bitmapOf(coreHeader, std::string(300 * 3 * 200, 'p'))), PictureFault::None);
    EXPECT_EQ(faultOf(bitmapOf(little(12, 4) + little(60000, 2) + little(60000, 2) + little(1, 2) + little(24, 2), "")),
              PictureFault::TooLarge);
    EXPECT_EQ(faultOf(bitmap(0, 5)), PictureFault::NotAPicture);
    EXPECT_EQ(faultOf(bitmap(-5, 5)), PictureFault::NotAPicture);
    EXPECT_EQ(faultOf(bitmap(5, 0)), PictureFault::NotAPicture);
    EXPECT_EQ(faultOf(bitmap(2, 2).substr(0, 30)), PictureFault::NotAPicture); // header cut short
    EXPECT_EQ(faultOf("BM" + std::string(12, '\0') + little(20, 4) + std::string(40, '\0')), PictureFault::NotAPicture);
}

// Bitmaps as other programs write them are taken; damaged ones whose headers promise more than they hold, or an
// image that no screen decoder draws, are refused before any decoder reads beyond their bytes.
TEST(PictureFileTest, ABitmapIsTakenOnlyWhenItsPartsLieWithinTheFileAndItIsDrawable) {
    const std::string coreHeader = little(12, 4) + little(3, 2) + little(2, 2) + little(1, 2) + little(24, 2);
    const std::pair<const char*, std::string> wellFormed[] = {
        {"24 bits, rows padded", bitmap(5, 3, std::string(3 * 16, 'p'))},
        {"24 bits, top-down", bitmap(2, -2, std::string(16, 'p'))},
        {"32 bits", bitmapOf(infoHeader(3, 2, 32), std::string(24, 'p'))},
        {"8 bits, two colours used", bitmapOf(infoHeader(3, 1, 8, 0, 0, 2), std::string(8 + 4, 'p'))},
        {"8 bits, run-length coded", codedBitmap(4, 2)},
        {"16 bits with masks", bitmapOf(infoHeader(2, 1, 16, 3), std::string(12 + 4, 'p'))},
        {"core header", bitmapOf(coreHeader, std::string(2 * 12, 'p'))},
    };
    for (const auto& [name, file] : wellFormed) {
        EXPECT_EQ(faultOf(file), PictureFault::None) << name;
        EXPECT_EQ(checkPictureFile(file).topDown, std::string_view(name).ends_with("top-down")) << name;
    }
    const std::string whole = bitmapOf(infoHeader(4, 4, 32), std::string(64, 'p'));
    const auto patched = [&whole](std::size_t at, const std::string& value) {
        return std::string(whole).replace(at, value.size(), value);
    };
    const std::pair<const char*, std::string> damaged[] = {
        {"signature only", "BM"},
        {"no image header", whole.substr(0, 16)},
        {"pixels cut short", whole.substr(0, whole.size() - 1)},
        {"pixels far beyond the end", patched(10, little(0x7FFFFFF0, 4))},
        {"image header larger than the file", patched(14, little(0x10000, 4))},
        {"image header too small", patched(14, little(20, 4))},
        {"two planes", patched(26, little(2, 2))},
        {"unknown depth", patched(28, little(7, 2))},
        {"colour table beyond the end", patched(46, little(0xFFFFFFFF, 4))},
        {"run-length coded pixels beyond the end",
         bitmapOf(infoHeader(4, 1, 8, kRunLength8, 1000, 1), std::string(4, 'c') + std::string("\0\1", 2))},
        {"run-length coded without their size", bitmapOf(infoHeader(4, 1, 8, kRunLength8, 0, 1), std::string(6, 'c'))},
        {"run-length coded from the top down", bitmapOf(infoHeader(4, -1, 8, kRunLength8, 2, 1), std::string(6, 'c'))},
        {"compression of another depth", bitmapOf(infoHeader(4, 1, 24, kRunLength8, 4), std::string(4, '\0'))},
        {"embedded JPEG", bitmapOf(infoHeader(1, 1, 0, 4, 4), std::string(4, '\0'))},
        {"core header without its pixels", bitmapOf(coreHeader, std::string(2 * 12 - 1, 'p'))},
    };
    for (const auto& [name, file] : damaged) {
        EXPECT_EQ(faultOf(file), PictureFault::NotAPicture) << name;
    }
}

TEST(PictureFileTest, AnIconIsTakenOnlyWhenEveryEntryLiesWithinTheFileAndIsAnIconsImage) {
    EXPECT_EQ(faultOf(icon({{iconImage(16, 16)}, {iconImage(32, 32)}, {iconImage(256, 256)}})), PictureFault::None);
    EXPECT_EQ(faultOf(icon({{pngImage(256, 256)}, {iconImage(48, 48)}})), PictureFault::None);
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"65535 entries in 38 bytes", little(0, 2) + little(1, 2) + little(65535, 2) + std::string("\x10\x10\0\0", 4) +
                                          little(1, 2) + little(32, 2) + little(16, 4) + little(22, 4) +
                                          std::string(16, '\0')},
        {"no entry", icon({})},
        {"a directory cut short", icon({{iconImage(16, 16)}}).substr(0, 15)},
        {"an image beyond the end", icon({{iconImage(16, 16), 0, 0x7FFF0000}})},
        {"an offset and size that wrap around", icon({{iconImage(16, 16), 0x20, 0xFFFFFFF0}})},
        {"an image longer than the file", icon({{iconImage(16, 16), 100000}})},
        {"an empty image", icon({{iconImage(16, 16), 0, 0}}).replace(14, 4, little(0, 4))},
        {"a mask cut short", icon({{iconImage(16, 16).substr(0, iconImage(16, 16).size() - 1)}})},
        {"wider than any icon", icon({{iconImage(257, 16)}})},
        {"taller than any icon", icon({{iconImage(16, 257)}})},
        {"a sound entry and a damaged one", icon({{iconImage(16, 16)}, {iconImage(16, 16), 0, 0x10000}})},
        {"a PNG of a huge size", icon({{pngImage(30000, 30000)}})},
        {"a PNG without its header chunk", icon({{std::string("\x89PNG\r\n\x1a\n", 8) + "IDAT"}})},
        {"compressed colours", icon({{infoHeader(16, 32, 8, 1) + std::string(2000, '\0')}})},
        {"an unknown depth", icon({{infoHeader(16, 32, 7) + std::string(2000, '\0')}})},
        {"more colours than the depth has", icon({{iconImage(16, 16).replace(32, 4, little(300, 4))}})},
    };
    for (const auto& [name, file] : damaged) {
        EXPECT_EQ(faultOf(file), PictureFault::NotAPicture) << name;
    }
}

TEST(PictureFileTest, AGifIsTakenOnlyWhenEveryBlockLiesWithinTheFileAndItsFramesWithinItsScreen) {
    const std::string screen = gifScreen(4, 2);
    EXPECT_EQ(faultOf(screen + kExtension + gifImage(0, 0, 4, 2) + ";"), PictureFault::None);
    EXPECT_EQ(faultOf(screen + gifImage(0, 0, 4, 2) + gifImage(3, 1, 1, 1) + ";"), PictureFault::None);
    EXPECT_EQ(faultOf(screen + gifImage(0, 0, 4, 2)), PictureFault::None) << "the trailer is often missing";
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"no image", screen + kExtension + ";"},
        {"only the screen", screen},
        {"a screen of no size", gifScreen(0, 0) + gifImage(0, 0, 1, 1) + ";"},
        {"a frame beyond the screen's right", screen + gifImage(2, 0, 3, 1) + ";"},
        {"a frame below the screen", screen + gifImage(0, 0, 1, 3) + ";"},
        {"a frame of no size", screen + gifImage(0, 0, 0, 1) + ";"},
        {"a sub-block past the end", screen + gifImage(0, 0, 4, 2, std::string("\x02\x10\x44", 3))},
        {"data without their end", screen + gifImage(0, 0, 4, 2, std::string("\x02\x02\x44\x01", 4))},
        {"an extension past the end", screen + "!\xf9\x7f"},
        {"no code size", screen + gifImage(0, 0, 4, 2, "")},
        {"a code size of 12 bits", screen + gifImage(0, 0, 4, 2, std::string("\x0c\x01\x00\x00", 4)) + ";"},
        {"an unknown block", screen + gifImage(0, 0, 4, 2) + "X;"},
        {"a colour table past the end", "GIF89a" + little(4, 2) + little(2, 2) + std::string("\x87\0\0", 3) + "abc"},
    };
    for (const auto& [name, file] : damaged) {
        EXPECT_EQ(faultOf(file), PictureFault::NotAPicture) << name;
    }
}

TEST(PictureFileTest, AGifWhoseScreenOrFramesTogetherExceedTheBoundIsRefused) {
    EXPECT_EQ(faultOf(gifScreen(65535, 65535) + gifImage(0, 0, 1, 1) + ";"), PictureFault::TooLarge);
    EXPECT_EQ(faultOf(gifScreen(65535, 65535) + gifImage(0, 0, 65535, 65535) + ";"), PictureFault::TooLarge);
    // Each frame may be decoded into its own buffer: 9 frames of 4096 by 1024 are 36 Mi pixels.
    std::string frames = gifScreen(4096, 1024);
    for (int i = 0; i < 8; ++i) {
        frames += gifImage(0, 0, 4096, 1024);
    }
    EXPECT_EQ(faultOf(frames + ";"), PictureFault::None);
    EXPECT_EQ(faultOf(frames + gifImage(0, 0, 4096, 1024) + ";"), PictureFault::TooLarge);
}

} // namespace
} // namespace hopwick
