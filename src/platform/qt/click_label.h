#pragma once

#include <QtWidgets/QLabel>

#include <functional>

namespace hopwick {

// A label that reports a left click, pressed and released over it. It takes its mouse events itself, so
// that a click or double click on a label never counts as one on the window's surface.
class ClickLabel final : public QLabel {
public:
    ClickLabel(std::function<void()> onClick, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<void()> onClick_;
    bool pressed_ = false;
};

} // namespace hopwick
