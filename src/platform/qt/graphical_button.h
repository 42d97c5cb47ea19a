#pragma once

#include <QtGui/QColor>
#include <QtWidgets/QPushButton>

#include <optional>

namespace hopwick {

// A push button in the graphical style: a face colour of its own fills the whole face in one solid colour,
// inside a Windows button's edge, whatever the widget style would paint. Without one it is a plain button.
class GraphicalButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

    void setFaceColor(std::optional<QColor> color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QColor> face_;
};

} // namespace hopwick
