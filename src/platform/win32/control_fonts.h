#pragma once

#include "app/control_table.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace hopwick::win32 {

// The fonts of the controls at one resolution, made once each and deleted together.
class ControlFonts {
public:
    ControlFonts() = default;
    ControlFonts(const ControlFonts&) = delete;
    ControlFonts& operator=(const ControlFonts&) = delete;
    ~ControlFonts() { clear(); }

    // The font of `spec` with `weight` at `dpi`; the fonts of another resolution are dropped first.
    HFONT get(const FontSpec& spec, int weight, UINT dpi);

private:
    void clear();

    UINT dpi_ = 0;
    std::map<std::tuple<std::string, double, int>, HFONT> fonts_;
};

} // namespace hopwick::win32
