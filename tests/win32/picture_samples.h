#pragma once

#include "platform/win32/picture.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace hopwick::win32 {

// Picture files made byte by byte, as other programs write them.

// A BITMAPINFOHEADER.
std::string infoHeader(int width, int height, int bitCount, std::uint32_t compression = BI_RGB,
                       std::uint32_t imageBytes = 0, std::uint32_t coloursUsed = 0);
// A bitmap file of the image header, colour table and pixels, the pixels' offset set as writers set it.
std::string bitmapFile(const std::string& header, const std::string& colourTable, const std::string& pixels);
// A 32-bit bottom-up bitmap file in one colour, 0x00RRGGBB.
std::string plainBitmap(int width, int height, std::uint32_t colour);
// A 32-bit icon file of one green square.
std::string iconFile(int size);
// One black pixel, the smallest GIF there is.
extern const std::string kGif;

// Little-endian values, as the files hold them.
std::string bytes16(std::uint16_t value);
std::string bytes32(std::uint32_t value);

// The picture drawn at the top-left corner of a white canvas, row by row.
std::vector<COLORREF> drawnOnWhite(const Win32Picture& picture, int width, int height);

} // namespace hopwick::win32
