#pragma once

#include "app/control_table.h"

#include <QtGui/QFont>

namespace hopwick {

// Maps the window's font names to the installed fonts; call before the first window is built.
void installFontSubstitutes();
QFont fontFor(const FontSpec& spec);

} // namespace hopwick
