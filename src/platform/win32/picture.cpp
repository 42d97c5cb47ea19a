#include "app/texts.h"
#include "edit/picture_file.h"
#include "platform/win32/ole_picture.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_texts.h"

namespace hopwick::win32 {

PictureLoad Win32Platform::loadPicture(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const FileRead file = readFile(path, kMaxPictureFileBytes);
    if (file.status == FileRead::Status::Missing) {
        return {nullptr, systemMessage(ERROR_FILE_NOT_FOUND)};
    }
    if (file.status == FileRead::Status::Failed) {
        return {nullptr, file.error};
    }
    if (file.truncated) {
        return {nullptr, texts::kPictureTooLarge};
    }
    // The picture's kind by its content, whatever its name says; the bytes reach the system's picture loader only
    // once their structure is known to be sound, as it reads them without checks. The checked bytes themselves,
    // not the file again, which may have changed since.
    const PictureFileCheck check = checkPictureFile(file.bytes);
    switch (check.fault) {
    case PictureFault::NotAPicture: return {nullptr, texts::kNotAPicture};
    case PictureFault::TooLarge: return {nullptr, hopwick::texts::kPictureTooManyPixelsReason};
    case PictureFault::None: break;
    }
    return olePictureOf(file.bytes);
}

} // namespace hopwick::win32
