#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hopwick {

// The kinds of picture file the window shows: those the picture dialog offers, told by their content.
enum class PictureKind { Bitmap, Icon, Gif };

enum class PictureFault { None, NotAPicture, TooLarge };

// A picture file is read whole; a longer one is no background picture.
inline constexpr std::size_t kMaxPictureFileBytes = 64 * 1024 * 1024;
// A picture holds at most this many pixels, all frames of a GIF together: 128 MiB at the 32 bits a pixel that
// both front ends draw from, a square of 5792 pixels, several screens' worth.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{32} * 1024 * 1024;

// Whether an image of width by height pixels may be a picture: not empty and within the bound.
bool picturePixelsAllowed(std::int64_t width, std::int64_t height);

struct PictureFileCheck {
    PictureFault fault = PictureFault::NotAPicture;
    PictureKind kind = PictureKind::Bitmap; // when there is no fault
    // A bitmap whose rows run from the top down, which not every system's image loader draws.
    bool topDown = false;
};

// What a file's bytes hold, checked before any decoder sees them, the same on every front end. An icon's
// directory and every image it names, and a GIF's every block, lie within the bytes and describe images of sane
// size; a bitmap's headers, colour table and pixels lie within the bytes and describe an image that the screen's
// decoders draw.
PictureFileCheck checkPictureFile(std::string_view bytes);

} // namespace hopwick
