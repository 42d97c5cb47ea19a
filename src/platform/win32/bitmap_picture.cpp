#include "platform/win32/bitmap_picture.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32_texts.h"

#include <utility>

namespace hopwick::win32 {

BitmapPicture::BitmapPicture(GdiObject<HBITMAP> bitmap) : bitmap_(std::move(bitmap)) {
    BITMAP measures{};
    GetObjectW(bitmap_.get(), sizeof measures, &measures);
    widthPixels_ = measures.bmWidth;
    heightPixels_ = measures.bmHeight;
}

void BitmapPicture::draw(HDC dc, int x, int y) const {
    const MemoryDc source(CreateCompatibleDC(dc));
    const SelectedObject selected(source.get(), bitmap_.get());
    BitBlt(dc, x, y, widthPixels_, heightPixels_, source.get(), 0, 0, SRCCOPY);
}

PictureLoad bitmapPictureOf(const std::string& path) {
    GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, widen(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap.valid()) {
        return {nullptr, texts::kNotAPicture};
    }
    return {std::make_shared<BitmapPicture>(std::move(bitmap)), {}};
}

} // namespace hopwick::win32
