#pragma once

#include "app/control_table.h"

#include <QtGui/QFont>

namespace hopwick {

// Loads the program's font aliases into fontconfig and gives the application its dialog font. Call it before the
// first font is resolved: Qt keeps what it resolved. Repeating it is harmless.
void installFonts();

// A design font, naming the installed font that fontconfig gives for the design's family.
QFont fontFor(const FontSpec& spec);

// The font of message boxes, tooltips and Qt's own dialogs: Japanese Windows draws them in the proportional
// Gothic at 9 points, the font of the path input.
inline const FontSpec& dialogFont() {
    return controlSpec(ControlId::Text1).font;
}

} // namespace hopwick
