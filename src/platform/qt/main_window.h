#pragma once

#include "app/control_table.h"
#include "app/main_form.h"

#include <QtWidgets/QWidget>

#include <array>
#include <memory>

class QLineEdit;

namespace hopwick {

class ItemList;
class KeyFilter;

// The launcher's window: every control of the form as a native widget, drawn from the form's models, with
// the user's events passed on to the form's handlers.
class MainWindow final : public QWidget {
public:
    explicit MainWindow(MainForm& form);

    // What the platform is told to show.
    void focusControl(ControlId control);
    void showWindowSize(int outerWidthTwips, int outerHeightTwips);
    void showCaption(const std::string& caption);
    void showPicture(std::shared_ptr<const Picture> picture);
    void showControl(ControlId control);

    QWidget* control(ControlId id) const { return widgets_[static_cast<std::size_t>(id)]; }

    // Work for the first paint that can be done once the window is shown, while the window manager maps it.
    void prepareFirstPaint();

protected:
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* createControl(const ControlSpec& spec);
    void showText();
    void showLabel(ControlId id);
    void showButton(ControlId id);

    MainForm& form_;
    ItemList* list_ = nullptr;
    QLineEdit* text_ = nullptr;
    KeyFilter* keys_ = nullptr;
    std::array<QWidget*, static_cast<std::size_t>(ControlId::Command9) + 1> widgets_{};
    std::shared_ptr<const Picture> picture_;
};

} // namespace hopwick
