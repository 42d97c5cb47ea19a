#include "platform/win32/control_fonts.h"

#include "platform/win32/units.h"
#include "platform/windows/wide_text.h"

namespace hopwick::win32 {

HFONT ControlFonts::get(const FontSpec& spec, int weight, UINT dpi) {
    if (dpi != dpi_) {
        fonts_.clear();
        dpi_ = dpi;
    }
    const auto key = std::make_tuple(std::string(spec.family), spec.points, weight);
    if (const auto found = fonts_.find(key); found != fonts_.end()) {
        return found->second.get();
    }
    LOGFONTW font{};
    font.lfHeight = fontHeightOf(spec.points, dpi);
    font.lfWeight = weight;
    font.lfCharSet = static_cast<BYTE>(spec.charset);
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring family = widen(spec.family);
    family.copy(font.lfFaceName, LF_FACESIZE - 1);
    return fonts_.emplace(key, GdiObject<HFONT>(CreateFontIndirectW(&font))).first->second.get();
}

} // namespace hopwick::win32
