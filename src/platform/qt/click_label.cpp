#include "click_label.h"

#include <QtGui/QMouseEvent>

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

} // namespace hopwick
