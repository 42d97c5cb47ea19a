#pragma once

#include <windows.h>

namespace hopwick::win32 {

// The window's properties are in twips (1/1440 inch) and points; the window system works in pixels at the
// window's resolution.
inline int pixelsOf(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}
inline int twipsOf(int pixels, UINT dpi) {
    return MulDiv(pixels, 1440, static_cast<int>(dpi));
}
// A font's height for LOGFONT: negative, so that it is the character height rather than the cell's.
inline LONG fontHeightOf(double points, UINT dpi) {
    return -static_cast<LONG>(points * dpi / 72.0 + 0.5);
}

// The height of a list's row in a font of `points`: on Windows the design font's cell is as high as its characters
// (no leading), 12 px for 9 points at 96 dpi, whatever font stands in for it here.
inline int listRowPixelsOf(double points, UINT dpi) {
    return -fontHeightOf(points, dpi);
}

// A colour as the window's properties hold it, &H00BBGGRR or &H800000nn for the system's colour nn, as GDI
// takes it.
inline COLORREF colorRefOf(unsigned color) {
    constexpr unsigned kSystemColor = 0x80000000;
    return (color & kSystemColor) != 0 ? GetSysColor(static_cast<int>(color & 0xFF)) : color & 0x00FFFFFF;
}

} // namespace hopwick::win32
