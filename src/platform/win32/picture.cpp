#include "platform/win32/picture.h"

#include "platform/win32/system_error.h"
#include "platform/win32/win32_platform.h"

#include <cstring>

namespace hopwick::win32 {

namespace {

// Far beyond any background picture; a bound so that a wrong choice cannot eat the memory.
constexpr std::size_t kMaxPictureBytes = 64 * 1024 * 1024;
constexpr int kHimetricPerInch = 2540;

// The picture's size in pixels as the loader measured it: HIMETRIC at the screen's resolution.
int screenPixels(long himetric, int axis) {
    const HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(himetric, GetDeviceCaps(screen, axis), kHimetricPerInch);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The bytes as a stream, which the picture loader reads; null when memory runs out.
IStream* streamOf(const std::string& bytes) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) {
        return nullptr;
    }
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

} // namespace

Win32Picture::Win32Picture(IPicture* picture) : picture_(picture) {
    picture_->get_Width(&width_);
    picture_->get_Height(&height_);
    widthPixels_ = screenPixels(width_, LOGPIXELSX);
    heightPixels_ = screenPixels(height_, LOGPIXELSY);
}

Win32Picture::~Win32Picture() {
    picture_->Release();
}

void Win32Picture::draw(HDC dc, int x, int y) const {
    // The source rectangle runs upwards in HIMETRIC, hence the start at the bottom and the negative height.
    picture_->Render(dc, x, y, widthPixels_, heightPixels_, 0, height_, width_, -height_, nullptr);
}

PictureLoad Win32Platform::loadPicture(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const FileRead file = readFile(path, kMaxPictureBytes);
    if (file.status == FileRead::Status::Missing) {
        return {nullptr, systemMessage(ERROR_FILE_NOT_FOUND)};
    }
    if (file.status == FileRead::Status::Failed) {
        return {nullptr, file.error};
    }
    if (file.truncated || file.bytes.empty()) {
        return {nullptr, systemMessage(static_cast<unsigned long>(CTL_E_INVALIDPICTURE))};
    }
    IStream* stream = streamOf(file.bytes);
    if (stream == nullptr) {
        return {nullptr, systemMessage(ERROR_NOT_ENOUGH_MEMORY)};
    }
    IPicture* picture = nullptr;
    const HRESULT result = OleLoadPicture(stream, static_cast<LONG>(file.bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(result) || picture == nullptr) {
        return {nullptr, systemMessage(static_cast<unsigned long>(result))};
    }
    return {std::make_shared<Win32Picture>(picture), {}};
}

} // namespace hopwick::win32
