#pragma once

// The Windows program's own reasons, shown inside the boxes that report a failure; tests compare them byte for
// byte.

namespace hopwick::win32::texts {

inline constexpr const char* kNotAPicture = "画像として読めない ﾌｧｲﾙ です。";
inline constexpr const char* kPictureTooLarge = "画像にしては ﾌｧｲﾙ が大きすぎます。";
// Followed by the number, where the system has no text for an error.
inline constexpr const char* kErrorNumber = "Windows のｴﾗｰ番号 ";
// The default action of a label that acts as a button, as the system names its buttons' own.
inline constexpr const char* kPressAction = "押す";

} // namespace hopwick::win32::texts
