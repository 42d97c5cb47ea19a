#include "list_accessible.h"

#include "item_list.h"

#include <QtCore/QPointer>
#include <QtGui/QAccessible>
#include <QtWidgets/QAccessibleWidget>

#include <vector>

namespace hopwick {

namespace {

// One entry of the list, known by its row: it reads whatever the row holds now, so that a move or a removal
// needs no new object. A row beyond the last entry is no longer valid.
class EntryAccessible final : public QAccessibleInterface,
                              public QAccessibleActionInterface,
                              public QAccessibleTableCellInterface {
public:
    EntryAccessible(ItemList& list, int row) : list_(&list), row_(row) {}

    bool isValid() const override { return list_ && row_ < list_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? list_->item(row_)->text() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect shown = list_->visualRect(list_->model()->index(row_, 0));
        return QRect(list_->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = list_->listBox().Selected(row_);
        state.focused = state.selected && list_->hasFocus();
        state.invisible = !list_->isVisible();
        const QRect shown = list_->visualRect(list_->model()->index(row_, 0));
        state.offscreen = state.invisible || !list_->viewport()->rect().intersects(shown);
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return nullptr;
    }

    // A press is the user's click on the entry, which starts it in normal mode. Queued, as a button's press
    // is: the launch may ask in a box of its own, which must not run inside the caller's request.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name != pressAction() || !isValid() || !list_->isVisible() || !list_->isEnabled()) {
            return;
        }
        QMetaObject::invokeMethod(
            list_.data(),
            [list = list_, row = row_] {
                if (list && row < list->count()) {
                    list->listBox().clickEntry(row);
                }
            },
            Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The cell of a one-column table, as the list's table offers it.
    bool isSelected() const override { return isValid() && list_->listBox().Selected(row_); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<ItemList> list_;
    int row_;
};

// The list with its entries as children and as the rows of a one-column table. Qt 6.4 has no selection
// interface for a list; its table's row selection is what assistive technologies select with.
class ListAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListAccessible(ItemList& list) : QAccessibleWidget(&list, QAccessible::List) {}
    ListAccessible(const ListAccessible&) = delete;
    ListAccessible& operator=(const ListAccessible&) = delete;

    ~ListAccessible() override {
        for (const QAccessible::Id id : entries_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return list().count(); }
    QAccessibleInterface* child(int index) const override { return entry(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* entry = dynamic_cast<const EntryAccessible*>(child);
        return entry && entry->parent() == this ? entry->rowIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint point = list().viewport()->mapFromGlobal(QPoint(x, y));
        return entry(list().indexAt(point).row());
    }
    // The selected entry while the list has the focus: it is what the keys act on.
    QAccessibleInterface* focusChild() const override {
        return list().hasFocus() ? entry(list().listBox().ListIndex()) : nullptr;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override { return column == 0 ? entry(row) : nullptr; }
    int selectedCellCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (const int row : selectedRows()) {
            cells << entry(row);
        }
        return cells;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return 1; }
    int rowCount() const override { return list().count(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        const int selected = list().listBox().ListIndex();
        return selected < 0 ? QList<int>{} : QList<int>{selected};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return list().listBox().Selected(row); }
    // Selecting only moves the selection: no click is reported, so nothing starts.
    bool selectRow(int row) override {
        if (row < 0 || row >= list().count()) {
            return false;
        }
        list().listBox().moveSelection(row);
        return true;
    }
    bool unselectRow(int row) override {
        if (!isRowSelected(row)) {
            return false;
        }
        list().listBox().moveSelection(-1);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The entries follow their rows, so a change of the rows needs nothing here.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    ItemList& list() const { return *static_cast<ItemList*>(widget()); }

    // Made on first request and kept with the list, so that a client holding an entry keeps the same object.
    QAccessibleInterface* entry(int row) const {
        if (row < 0 || row >= list().count()) {
            return nullptr;
        }
        while (entries_.size() <= static_cast<std::size_t>(row)) {
            const int next = static_cast<int>(entries_.size());
            entries_.push_back(QAccessible::registerAccessibleInterface(new EntryAccessible(list(), next)));
        }
        return QAccessible::accessibleInterface(entries_[static_cast<std::size_t>(row)]);
    }

    mutable std::vector<QAccessible::Id> entries_;
};

// Qt tells of the list alone when it gets the focus; the entry follows once that has gone out.
class EntryFocusReport final : public QObject {
public:
    explicit EntryFocusReport(ItemList& list) : QObject(&list), list_(list) { list.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &list_ && event->type() == QEvent::FocusIn) {
            QMetaObject::invokeMethod(this, &EntryFocusReport::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() {
        const int selected = list_.listBox().ListIndex();
        if (!list_.hasFocus() || selected < 0 || !QAccessible::isActive()) {
            return;
        }
        QAccessibleEvent focus(&list_, QAccessible::Focus);
        focus.setChild(selected);
        QAccessible::updateAccessibility(&focus);
    }

    ItemList& list_;
};

} // namespace

QAccessibleInterface* listAccessibleFor(ItemList& list) {
    return new ListAccessible(list);
}

void reportSelectedEntryOnFocus(ItemList& list) {
    new EntryFocusReport(list);
}

} // namespace hopwick
