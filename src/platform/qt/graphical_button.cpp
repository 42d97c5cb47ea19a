#include "graphical_button.h"

#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QStylePainter>
#include <QtWidgets/qdrawutil.h>

namespace hopwick {

void GraphicalButton::setFaceColor(std::optional<QColor> color) {
    if (face_ != color) {
        face_ = color;
        update();
    }
}

void GraphicalButton::paintEvent(QPaintEvent* event) {
    if (!face_) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QBrush face(*face_);
    qDrawWinButton(&painter, rect(), palette(), isDown(), &face);
    painter.drawControl(QStyle::CE_PushButtonLabel, option);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        focus.backgroundColor = *face_;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace hopwick
