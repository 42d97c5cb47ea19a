#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hopwick::bench {

// What the bare window shows when it is given the same content as Hopwick: the items of its list and the
// background picture, loaded the plain Win32 way.
struct BareContent {
    std::vector<std::wstring> items;
    HBITMAP picture = nullptr;
    SIZE pictureSize{};
};

// The lines of a UTF-8 text, without their line ends; empty lines are skipped. None when the text is no UTF-8.
std::optional<std::vector<std::wstring>> linesOf(std::string_view utf8);

// Reads a file of items (UTF-8, one a line) and a bitmap picture. None when either cannot be read or the file
// holds no item, so that the benchmark never measures an empty window in their place.
std::optional<BareContent> loadBareContent(const wchar_t* itemsPath, const wchar_t* picturePath);

} // namespace hopwick::bench
