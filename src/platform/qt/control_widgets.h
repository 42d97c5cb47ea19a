#pragma once

#include "app/control_table.h"

#include <QtGui/QColor>
#include <QtWidgets/QWidget>

#include <optional>
#include <string>

namespace hopwick {

// Twips to logical pixels, 15 to one as at 96 dots per inch.
int pixels(int twips);

// Gives a control widget its design-time settings: name, place, font, tooltip and accessible texts.
void applyDesign(QWidget& widget, const ControlSpec& spec);

// A caption as Qt shows it: line breaks as "\n".
QString displayText(const std::string& caption);
// A caption without its access-key marker, for the accessible name.
QString plainCaption(const QString& caption);

// A colour in the &H00BBGGRR form; nothing for the system's button-face colour, which the palette gives.
std::optional<QColor> ownColor(unsigned color);

} // namespace hopwick
