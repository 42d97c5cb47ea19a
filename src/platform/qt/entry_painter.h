#pragma once

#include <QtWidgets/QAbstractItemDelegate>

namespace hopwick {

// Draws List1's entries as a Windows list box does: one line of the list's font, the row as high as the font,
// a long entry cut at the list's edge. Only the part that shows is shaped, which is most of the cost of the
// list's first frame when its entries are long paths.
class EntryPainter final : public QAbstractItemDelegate {
public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace hopwick
