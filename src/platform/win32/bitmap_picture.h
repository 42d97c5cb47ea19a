#pragma once

#include "platform/win32/picture.h"

#include <string>

namespace hopwick::win32 {

// A bitmap made by GDI alone, drawn at its own size.
class BitmapPicture final : public Win32Picture {
public:
    explicit BitmapPicture(HBITMAP bitmap);
    BitmapPicture(const BitmapPicture&) = delete;
    BitmapPicture& operator=(const BitmapPicture&) = delete;
    ~BitmapPicture() override;

    int widthPixels() const override { return widthPixels_; }
    int heightPixels() const override { return heightPixels_; }
    void draw(HDC dc, int x, int y) const override;

private:
    HBITMAP bitmap_;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
};

// The picture of a bitmap file's bytes, made as the system's picture loader makes it (a bitmap of the screen's
// kind) but without OLE, which most background pictures then never need. Fails as that loader does for no
// picture when the headers, the colour table or the pixels do not lie within the bytes or describe no image
// that GDI draws.
PictureLoad bitmapPictureOf(const std::string& bytes);

} // namespace hopwick::win32
