#pragma once

#include "app/main_form.h"

#include <QtWidgets/QListWidget>

#include <string>
#include <vector>

namespace hopwick {

// The view of List1. The list's model decides every selection: the widget never selects by itself, it
// passes mouse clicks on to the model (and the key filter the keys) and shows what the model then holds. Showing the
// model calls nothing back, so a change that the core makes never runs a handler twice.
class ItemList final : public QListWidget {
public:
    ItemList(MainForm& form, QWidget* parent);

    void showModel();
    // The model, for assistive technologies that select or click an entry.
    ListBox& listBox() const { return form_.List1; }

    // Draws the entries in view into a scratch image, so that the font has their glyphs ready for the first
    // paint: rasterising the glyphs of long Japanese paths is most of the list's first frame, and the program
    // does it while the window manager maps the window instead of after.
    void prepareGlyphs();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void fitWholeRows();

    MainForm& form_;
    std::vector<std::string> shown_; // the model's entries as the rows show them
    unsigned scrollRequestsServed_ = 0;
};

} // namespace hopwick
