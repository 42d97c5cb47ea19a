#include "path_box_accessible.h"

#include <QtGui/QAccessible>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLineEdit>

#include <algorithm>

namespace hopwick {

namespace {

class PathBoxAccessible final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
public:
    explicit PathBoxAccessible(QLineEdit& box) : QAccessibleWidget(&box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? box().text() : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t == QAccessible::Value) {
            box().setText(text);
        } else {
            QAccessibleWidget::setText(t, text);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box().isReadOnly();
        state.readOnly = box().isReadOnly();
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // The text, caret and selection.
    void selection(int index, int* start, int* end) const override {
        const bool any = index == 0 && box().hasSelectedText();
        *start = any ? box().selectionStart() : 0;
        *end = any ? box().selectionEnd() : 0;
    }
    int selectionCount() const override { return box().hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { box().setSelection(start, end - start); }
    void removeSelection(int index) override {
        if (index == 0) {
            box().deselect();
        }
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) {
            box().setSelection(start, end - start);
        }
    }
    int cursorPosition() const override { return box().cursorPosition(); }
    void setCursorPosition(int position) override { box().setCursorPosition(position); }
    QString text(int start, int end) const override { return box().text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(box().text().size()); }

    // Measured from the caret, which is where the box has scrolled its text to.
    QRect characterRect(int offset) const override {
        const QString text = box().text();
        if (offset < 0 || offset >= text.size()) {
            return {};
        }
        const QFontMetrics metrics = box().fontMetrics();
        const QRect caret = box().inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(box().cursorPosition()));
        const QRect shown(x, caret.y(), metrics.horizontalAdvance(text.at(offset)), caret.height());
        return QRect(box().mapToGlobal(shown.topLeft()), shown.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint inside = box().mapFromGlobal(point);
        return box().rect().contains(inside) ? box().cursorPositionAt(inside) : -1;
    }
    void scrollToSubstring(int start, int end) override {
        box().setCursorPosition(end);
        box().setCursorPosition(start);
    }

    // The whole text is one run in the box's one font.
    QString attributes(int offset, int* start, int* end) const override {
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *start = *end = -1;
            return {};
        }
        *start = 0;
        *end = count;
        return {};
    }

    // Edits go through the box's text, which the form follows.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        const int count = characterCount();
        start = std::clamp(start, 0, count);
        end = std::clamp(end, start, count);
        box().setText(box().text().replace(start, end - start, text));
    }

private:
    QLineEdit& box() const { return *static_cast<QLineEdit*>(widget()); }
};

} // namespace

QAccessibleInterface* pathBoxAccessibleFor(QLineEdit& box) {
    return new PathBoxAccessible(box);
}

} // namespace hopwick
