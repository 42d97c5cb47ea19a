#include "platform/win32/bitmap_picture.h"
#include "platform/win32/ole_picture.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_texts.h"

namespace hopwick::win32 {

namespace {

// Far beyond any background picture; a bound so that a wrong choice cannot eat the memory.
constexpr std::size_t kMaxPictureBytes = 64 * 1024 * 1024;

} // namespace

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
    if (file.truncated) {
        return {nullptr, texts::kPictureTooLarge};
    }
    if (file.bytes.empty()) {
        return {nullptr, texts::kNotAPicture};
    }
    // The picture's kind by its content, whatever its name says, as the system's picture loader tells it;
    // bitmaps, the usual background, need no OLE.
    return isBitmapFile(file.bytes) ? bitmapPictureOf(file.bytes) : olePictureOf(file.bytes);
}

} // namespace hopwick::win32
