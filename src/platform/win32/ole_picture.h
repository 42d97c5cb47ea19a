#pragma once

#include "platform/win32/picture.h"
#include "platform/windows/win32_owners.h"

#include <ocidl.h>
#include <olectl.h>

#include <string>

namespace hopwick::win32 {

// A picture that the system's picture loader read, drawn at its own size.
class OlePicture final : public Win32Picture {
public:
    explicit OlePicture(ComPtr<IPicture> picture);

    int widthPixels() const override { return widthPixels_; }
    int heightPixels() const override { return heightPixels_; }
    void draw(HDC dc, int x, int y) const override;

private:
    ComPtr<IPicture> picture_;
    OLE_XSIZE_HIMETRIC width_ = 0;
    OLE_YSIZE_HIMETRIC height_ = 0;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
};

// The picture in a file's bytes through the system's picture loader, which takes OLE on this thread; the
// system's reason when it is no picture.
PictureLoad olePictureOf(const std::string& bytes);

} // namespace hopwick::win32
