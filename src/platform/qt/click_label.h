#pragma once

#include <QtWidgets/QLabel>

#include <functional>

namespace hopwick {

// A label that reports a left click, pressed and released over it. It takes its mouse events itself, so
// that a click or double click on a label never counts as one on the window's surface.
class ClickLabel final : public QLabel {
    Q_OBJECT // its own class name, so that its accessible interface is found before a plain label's

public:
    ClickLabel(std::function<void()> onClick, QWidget* parent);

    // Whether a click runs anything, and a click as the user's, for assistive technologies.
    bool clickable() const { return static_cast<bool>(onClick_); }
    void click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> onClick_;
    bool pressed_ = false;
};

} // namespace hopwick
