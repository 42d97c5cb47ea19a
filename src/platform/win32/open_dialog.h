#pragma once

#include <string>
#include <string_view>

namespace hopwick::win32 {

// "description|pattern|description|pattern" as the file dialog wants it: each text ended by a NUL and the list
// by another. Blanks around the patterns go, as they would become part of them; the descriptions stay as they
// are, and a description without a pattern is left out.
std::wstring dialogFilter(std::string_view filter);

} // namespace hopwick::win32
