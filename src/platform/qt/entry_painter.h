#pragma once

#include <QtWidgets/QAbstractItemDelegate>

namespace hopwick {

// Draws List1's entries as a Windows list box does: one line of the list's font, the row as high as its em,
// a long entry cut at the list's edge. Only the part that shows is shaped: laying out and drawing long paths is
// most of the cost of the list's first frame.
class EntryPainter final : public QAbstractItemDelegate {
public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    // A row as high as the font's em, as the design font's cells are on Windows (12 pixels for 9 points at
    // 96 dots per inch): five rows fill List1. The font's line height here can be a pixel more.
    static int rowHeight(const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace hopwick
