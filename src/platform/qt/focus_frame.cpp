#include "focus_frame.h"

#include <QtGui/QPainter>

namespace hopwick {

void drawFocusFrame(QPainter& painter, const QRect& area, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace hopwick
