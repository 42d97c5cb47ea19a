#include "item_list.h"

#include "drop_forwarding.h"
#include "entry_painter.h"
#include "focus_frame.h"

#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace hopwick {

ItemList::ItemList(MainForm& form, QWidget* parent) : QListWidget(parent), form_(form) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Like a Windows list box, long entries are cut at the edge rather than scrolled sideways. Every entry is
    // then one line of one font, so the list sizes one row instead of shaping the text of all of them.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setItemDelegate(new EntryPainter(this));
    setSortingEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    showModel();
}

// Called on every change of the model, forty times while a store loads: only the entries that differ from the
// ones shown are converted and set.
void ItemList::showModel() {
    const ListBox& model = form_.List1;
    const auto entries = static_cast<std::size_t>(model.ListCount());
    while (shown_.size() > entries) {
        delete takeItem(count() - 1);
        shown_.pop_back();
    }
    for (std::size_t i = 0; i < entries; ++i) {
        std::string entry = model.List(static_cast<int>(i));
        if (i == shown_.size()) {
            addItem(QString::fromUtf8(entry));
            shown_.push_back(std::move(entry));
        } else if (shown_[i] != entry) {
            item(static_cast<int>(i))->setText(QString::fromUtf8(entry));
            shown_[i] = std::move(entry);
        }
    }
    setCurrentRow(model.ListIndex()); // -1 clears the selection
    if (model.scrollRequests() != scrollRequestsServed_) {
        scrollRequestsServed_ = model.scrollRequests();
        scrollToItem(item(model.entryToShow()));
    }
}

void ItemList::prepareGlyphs() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QImage scratch(viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (int row = 0; row < count(); ++row) {
        const QModelIndex index = model()->index(row, 0);
        option.rect = visualRect(index);
        if (option.rect.intersects(viewport()->rect())) {
            itemDelegate()->paint(&painter, option, index);
        }
    }
}

// Like a Windows list box, the list shows whole rows only: room below the last whole row stays empty, so that
// no row is ever cut at the bottom.
void ItemList::fitWholeRows() {
    const int rows = EntryPainter::rowHeight(font());
    const int room = contentsRect().height();
    if (rows > 0 && room > 0) {
        setViewportMargins(0, 0, 0, room % rows);
        form_.List1.setRowsInView(room / rows);
    }
}

void ItemList::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitWholeRows();
    }
}

void ItemList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    fitWholeRows();
}

// The selection follows the press, as in a Windows list box. A press on the selected entry is a click too:
// clicking an entry twice starts it twice.
void ItemList::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0) {
        form_.List1.clickEntry(row);
    }
}

// Dragging across the entries selects nothing and starts no drag.
void ItemList::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void ItemList::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
// The second press of a double click is no new click.
void ItemList::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

// The key filter hands the list's keys to the form's key table; what it leaves, such as Qt's search by typing,
// would select behind the model's back.
void ItemList::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

// With no entry current, the focus has no row to mark: the frame goes round the rows instead, so that the focus
// always shows.
void ItemList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (hasFocus() && currentRow() < 0) {
        QPainter painter(viewport());
        drawFocusFrame(painter, viewport()->rect(), palette().color(QPalette::Text));
    }
}

void ItemList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void ItemList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

void ItemList::dragEnterEvent(QDragEnterEvent* event) {
    forwardDragOver(form_, &MainForm::List1_OLEDragOver, *event, kDragEnter);
}

void ItemList::dragMoveEvent(QDragMoveEvent* event) {
    forwardDragOver(form_, &MainForm::List1_OLEDragOver, *event, kDragOver);
}

void ItemList::dropEvent(QDropEvent* event) {
    forwardDrop(form_, &MainForm::List1_OLEDragDrop, *event, *this);
}

} // namespace hopwick
