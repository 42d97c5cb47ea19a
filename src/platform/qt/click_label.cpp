#include "click_label.h"

#include "focus_frame.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace hopwick {

ClickLabel::ClickLabel(std::function<void()> onClick, QWidget* parent) : QLabel(parent), onClick_(std::move(onClick)) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        this->click();
    }
}

void ClickLabel::click() {
    if (onClick_) {
        onClick_();
    }
}

// The second press of a double click is no new click.
void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_ = false;
    event->accept();
}

// A label that takes the keyboard shows it as a button does.
void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        drawFocusFrame(painter, rect(), palette().color(QPalette::WindowText));
    }
}

} // namespace hopwick
