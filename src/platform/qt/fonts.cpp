#include "fonts.h"

#include <QtGui/QFont>

#include <array>
#include <utility>

namespace hopwick {

namespace {

// The Japanese Windows fonts that the window asks for, and the IPA fonts of the same design that Linux has.
// Without these fontconfig would give a Latin font for the unknown names, and every Japanese character would
// come from some fallback.
constexpr std::array<std::pair<const char*, const char*>, 2> kSubstitutes{{
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
}};

} // namespace

void installFontSubstitutes() {
    for (const auto& [family, substitute] : kSubstitutes) {
        QFont::insertSubstitution(QString::fromUtf8(family), QString::fromUtf8(substitute));
    }
}

QFont fontFor(const FontSpec& spec) {
    QFont font(QString::fromUtf8(spec.family.data(), static_cast<qsizetype>(spec.family.size())));
    font.setPointSizeF(spec.points);
    font.setWeight(static_cast<QFont::Weight>(spec.weight)); // Qt's weights are the same 100 to 900 scale
    return font;
}

} // namespace hopwick
