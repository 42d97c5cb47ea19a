#pragma once

#include "platform/win32/picture.h"
#include "platform/windows/win32_owners.h"

#include <string>

namespace hopwick::win32 {

// A bitmap that the system's image loader made, drawn at its own size.
class BitmapPicture final : public Win32Picture {
public:
    explicit BitmapPicture(GdiObject<HBITMAP> bitmap);

    int widthPixels() const override { return widthPixels_; }
    int heightPixels() const override { return heightPixels_; }
    void draw(HDC dc, int x, int y) const override;

private:
    GdiObject<HBITMAP> bitmap_;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
};

// The picture of the bitmap file at `path` through the system's image loader, which reads the file itself: the
// caller holds the file against changes since its bytes were checked. It needs no OLE, whose start would cost
// about 15 ms of the start-up under Wine for the usual kind of background picture.
PictureLoad bitmapPictureOf(const std::string& path);

} // namespace hopwick::win32
