#pragma once

#include "app/control_table.h"
#include "platform/windows/win32_owners.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace hopwick::win32 {

// The fonts of the controls at one resolution, made once each and deleted together.
class ControlFonts {
public:
    // The font of `spec` with `weight` at `dpi`; the fonts of another resolution are dropped first.
    HFONT get(const FontSpec& spec, int weight, UINT dpi);

private:
    UINT dpi_ = 0;
    std::map<std::tuple<std::string, double, int>, GdiObject<HFONT>> fonts_;
};

} // namespace hopwick::win32
