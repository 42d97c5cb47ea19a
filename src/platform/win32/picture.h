#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

namespace hopwick::win32 {

// A picture that the system's picture loader read (bitmap, icon or GIF), drawn at its own size.
class Win32Picture final : public Picture {
public:
    explicit Win32Picture(IPicture* picture);
    Win32Picture(const Win32Picture&) = delete;
    Win32Picture& operator=(const Win32Picture&) = delete;
    ~Win32Picture() override;

    int widthPixels() const override { return widthPixels_; }
    int heightPixels() const override { return heightPixels_; }
    // Draws the picture with its top-left corner at (x, y) of the device context.
    void draw(HDC dc, int x, int y) const;

private:
    IPicture* picture_;
    OLE_XSIZE_HIMETRIC width_ = 0;
    OLE_YSIZE_HIMETRIC height_ = 0;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
};

} // namespace hopwick::win32
