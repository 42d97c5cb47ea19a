#pragma once

#include "app/control_table.h"

#include <QtGui/QFont>

namespace hopwick {

// Maps the window's font names to the installed fonts, before any of them is resolved. Repeating it is harmless.
void installFontSubstitutes();
QFont fontFor(const FontSpec& spec);

} // namespace hopwick
