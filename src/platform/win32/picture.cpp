#include "app/texts.h"
#include "edit/picture_file.h"
#include "platform/win32/bitmap_picture.h"
#include "platform/win32/ole_picture.h"
#include "platform/win32/win32_platform.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"
#include "platform/windows/win32_texts.h"

namespace hopwick::win32 {

PictureLoad Win32Platform::loadPicture(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    // Held against writing, renaming and deleting from before its bytes are read until the image loader, which
    // reads a bitmap from the file itself, has read it: the loader then reads the bytes that were checked.
    const UniqueHandle hold(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    const FileRead file = system_.readFile(path, kMaxPictureFileBytes);
    if (file.status == FileRead::Status::Missing) {
        return {nullptr, systemMessage(ERROR_FILE_NOT_FOUND)};
    }
    if (file.status == FileRead::Status::Failed) {
        return {nullptr, file.error};
    }
    if (file.truncated) {
        return {nullptr, texts::kPictureTooLarge};
    }
    // The picture's kind by its content, whatever its name says; the system's loaders see a file only once its
    // structure is known to be sound, as they read it without checks.
    const PictureFileCheck check = checkPictureFile(file.bytes);
    switch (check.fault) {
    case PictureFault::NotAPicture: return {nullptr, texts::kNotAPicture};
    case PictureFault::TooLarge: return {nullptr, hopwick::texts::kPictureTooManyPixelsReason};
    case PictureFault::None: break;
    }
    // Bitmaps, the usual background, need no OLE. A bitmap that another program holds open for writing, one whose
    // rows run from the top down (Wine's image loader draws it black), and every other kind go to OLE's picture
    // loader as the checked bytes themselves.
    const bool imageLoader = check.kind == PictureKind::Bitmap && !check.topDown && hold.valid();
    return imageLoader ? bitmapPictureOf(path) : olePictureOf(file.bytes);
}

} // namespace hopwick::win32
