#include "entry_painter.h"

#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionFocusRect>

namespace hopwick {

namespace {

// Characters drawn past the edge: their own advances summed can exceed the shaped text's by a kerned pair.
constexpr int kCharactersPastEdge = 2;

QPalette::ColorGroup colourGroup(const QStyleOptionViewItem& option) {
    if (!option.state.testFlag(QStyle::State_Enabled)) {
        return QPalette::Disabled;
    }
    return option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

// The style's own text margin in item views, so that the entries stand where the style would put them.
int textMargin(const QStyleOptionViewItem& option) {
    const QStyle* style = option.widget ? option.widget->style() : nullptr;
    return style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, option.widget) + 1 : 3;
}

// The font's advances without hinting: the same within a fraction of a pixel, which the characters drawn past the
// edge cover, and read without running the hinter over every glyph, which is most of the cost of measuring.
QFont measuringFont(QFont font) {
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The code units of `text` that reach `width` pixels, with a margin of whole characters beyond it so that
// shaping the cut text can never end it short of the edge; all of a text that ends before.
qsizetype visibleLength(QStringView text, const QFontMetrics& metrics, int width) {
    int reached = 0;
    int past = 0;
    qsizetype end = 0;
    while (end < text.size() && past <= kCharactersPastEdge) {
        // A single character has a fast path that reads the font's cached advance; a pair needs a layout.
        if (text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate()) {
            reached += metrics.horizontalAdvance(text.mid(end, 2).toString());
            end += 2;
        } else {
            reached += metrics.horizontalAdvance(text[end]);
            ++end;
        }
        if (reached > width) {
            ++past;
        }
    }
    return end;
}

} // namespace

void EntryPainter::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QPalette::ColorGroup group = colourGroup(option);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->setClipRect(option.rect);
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const int margin = textMargin(option);
    const int width = option.rect.width() - margin;
    const QPoint origin(option.rect.left() + margin, option.rect.top() + option.fontMetrics.ascent());
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const qsizetype shown = visibleLength(text, QFontMetrics(measuringFont(option.font)), width);
    painter->setFont(option.font);
    painter->drawText(origin, text.left(shown));
    painter->restore();

    if (option.state.testFlag(QStyle::State_HasFocus) && option.widget) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        // As the style's own item views do: the frame marks the entry that the arrow keys move from.
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}

int EntryPainter::rowHeight(const QFont& font) {
    return QFontInfo(font).pixelSize();
}

QSize EntryPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), rowHeight(option.font)};
}

} // namespace hopwick
