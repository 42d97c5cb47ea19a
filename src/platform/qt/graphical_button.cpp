#include "graphical_button.h"

#include "focus_frame.h"

#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QStylePainter>
#include <QtWidgets/qdrawutil.h>

namespace hopwick {

namespace {

constexpr int kFocusInset = 3;

} // namespace

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
        // Inside the edge, as a Windows button draws it.
        drawFocusFrame(painter, rect().adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset),
                       palette().color(QPalette::ButtonText));
    }
}

} // namespace hopwick
