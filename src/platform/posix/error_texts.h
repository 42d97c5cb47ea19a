#pragma once

#include <string>

// Reasons that the system's side gives for a failure, in Japanese as every text the window shows.
namespace hopwick::posix {

// Our own Japanese text for the common errno values; nullptr for any other.
const char* ownErrorText(int errorNumber);

// The system's own Japanese text for an errno value, from the C library's Japanese messages; "" where the
// system has none (no ja_JP.UTF-8 locale, or no Japanese catalogue, or no translation of that value).
std::string systemJapaneseErrorText(int errorNumber);

// The system's untranslated text for an errno value.
std::string systemErrorText(int errorNumber);

inline constexpr const char* kNotARegularFile = "通常の ﾌｧｲﾙ ではありません。";

} // namespace hopwick::posix
