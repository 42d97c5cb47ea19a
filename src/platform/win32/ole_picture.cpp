#include "platform/win32/ole_picture.h"

#include "platform/win32/ole_on_demand.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_function.h"
#include "platform/win32/win32_texts.h"

#include <cstring>

namespace hopwick::win32 {

namespace {

constexpr int kHimetricPerInch = 2540;

const auto kCreateStream = HOPWICK_SYSTEM_FUNCTION(L"ole32.dll", CreateStreamOnHGlobal);
const auto kLoadPicture = HOPWICK_SYSTEM_FUNCTION(L"oleaut32.dll", OleLoadPicture);

// The picture's size in pixels as the loader measured it: HIMETRIC at the screen's resolution.
int screenPixels(long himetric, int axis) {
    const HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(himetric, GetDeviceCaps(screen, axis), kHimetricPerInch);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The bytes as a stream, which the picture loader reads; null when memory runs out (GetLastError tells).
IStream* streamOf(const std::string& bytes) {
    const auto createStream = kCreateStream.get();
    if (createStream == nullptr) {
        return nullptr;
    }
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) {
        return nullptr;
    }
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(createStream(memory, TRUE, &stream))) {
        GlobalFree(memory);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return stream;
}

} // namespace

OlePicture::OlePicture(IPicture* picture) : picture_(picture) {
    picture_->get_Width(&width_);
    picture_->get_Height(&height_);
    widthPixels_ = screenPixels(width_, LOGPIXELSX);
    heightPixels_ = screenPixels(height_, LOGPIXELSY);
}

OlePicture::~OlePicture() {
    picture_->Release();
}

void OlePicture::draw(HDC dc, int x, int y) const {
    // The source rectangle runs upwards in HIMETRIC, hence the start at the bottom and the negative height.
    picture_->Render(dc, x, y, widthPixels_, heightPixels_, 0, height_, width_, -height_, nullptr);
}

PictureLoad olePictureOf(const std::string& bytes) {
    needOle();
    const auto loadPicture = kLoadPicture.get();
    if (loadPicture == nullptr) {
        return {nullptr, systemMessage(GetLastError())};
    }
    IStream* stream = streamOf(bytes);
    if (stream == nullptr) {
        return {nullptr, systemMessage(GetLastError())};
    }
    IPicture* picture = nullptr;
    const HRESULT result =
        loadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    // The loader's own failures say only that the bytes are no picture it knows.
    if (result == CTL_E_INVALIDPICTURE || result == E_FAIL || (SUCCEEDED(result) && picture == nullptr)) {
        return {nullptr, texts::kNotAPicture};
    }
    if (FAILED(result)) {
        return {nullptr, systemMessage(static_cast<unsigned long>(result))};
    }
    return {std::make_shared<OlePicture>(picture), {}};
}

} // namespace hopwick::win32
