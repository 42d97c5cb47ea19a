#pragma once

#include <QtCore/QRect>
#include <QtGui/QColor>

class QPainter;

namespace hopwick {

// The keyboard focus mark of the launcher's own controls: a solid one-pixel frame in the control's text colour,
// which stands out from any face the control has (the style's own mark is faint on a coloured face).
void drawFocusFrame(QPainter& painter, const QRect& area, const QColor& color);

} // namespace hopwick
