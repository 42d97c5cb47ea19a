#include "platform/win32/ole_picture.h"

#include "platform/windows/ole_on_demand.h"
#include "platform/windows/system_error.h"
#include "platform/windows/system_function.h"
#include "platform/windows/win32_owners.h"
#include "platform/windows/win32_texts.h"

#include <cstring>
#include <utility>

namespace hopwick::win32 {

namespace {

constexpr int kHimetricPerInch = 2540;

const auto kCreateStream = HOPWICK_SYSTEM_FUNCTION(L"ole32.dll", CreateStreamOnHGlobal);
const auto kLoadPicture = HOPWICK_SYSTEM_FUNCTION(L"oleaut32.dll", OleLoadPicture);

// The picture's size in pixels as the loader measured it: HIMETRIC at the screen's resolution.
int screenPixels(long himetric, int axis) {
    const WindowDc screen(nullptr);
    return MulDiv(himetric, GetDeviceCaps(screen.get(), axis), kHimetricPerInch);
}

// The bytes as a stream, which the picture loader reads; null when memory runs out (GetLastError tells).
ComPtr<IStream> streamOf(const std::string& bytes) {
    const auto createStream = kCreateStream.get();
    if (createStream == nullptr) {
        return {};
    }
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    void* const place = memory.valid() ? GlobalLock(memory.get()) : nullptr;
    if (place == nullptr) {
        return {};
    }
    std::memcpy(place, bytes.data(), bytes.size());
    GlobalUnlock(memory.get());
    ComPtr<IStream> stream;
    if (FAILED(createStream(memory.get(), TRUE, stream.put()))) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return {};
    }
    memory.release(); // the stream frees it
    return stream;
}

} // namespace

OlePicture::OlePicture(ComPtr<IPicture> picture) : picture_(std::move(picture)) {
    picture_->get_Width(&width_);
    picture_->get_Height(&height_);
    widthPixels_ = screenPixels(width_, LOGPIXELSX);
    heightPixels_ = screenPixels(height_, LOGPIXELSY);
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
    const ComPtr<IStream> stream = streamOf(bytes);
    if (!stream) {
        return {nullptr, systemMessage(GetLastError())};
    }
    ComPtr<IPicture> picture;
    const HRESULT result =
        loadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, picture.putVoid());
    // The loader's own failures say only that the bytes are no picture it knows.
    if (result == CTL_E_INVALIDPICTURE || result == E_FAIL || (SUCCEEDED(result) && !picture)) {
        return {nullptr, texts::kNotAPicture};
    }
    if (FAILED(result)) {
        return {nullptr, systemMessage(static_cast<unsigned long>(result))};
    }
    return {std::make_shared<OlePicture>(std::move(picture)), {}};
}

} // namespace hopwick::win32
