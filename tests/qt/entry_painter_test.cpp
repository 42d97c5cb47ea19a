#include "launcher_test_case.h"
#include "platform/qt/entry_painter.h"
#include "platform/qt/fonts.h"
#include "platform/qt/item_list.h"

#include <QtGui/QPainter>
#include <QtGui/QStandardItemModel>
#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QScrollBar>

using hopwick::EntryPainter;
using hopwick::testing::LauncherTestCase;

namespace {

const QString kLongPath = QStringLiteral("/home/利用者/ドキュメント/業務資料/二〇二四年度/営業部/会議録と報告書/"
                                         "第1回_定例会議の議事録と配布資料（最終版）.txt");

} // namespace

// The list draws its entries one line each, cut at its edge as a Windows list box does; drawing only the part
// that shows must look exactly like drawing the whole entry under the clip.
class TestEntryPainter : public LauncherTestCase {
    Q_OBJECT

private slots:
    // A row is as high as the design font's cell on Windows, 12 pixels for 9 points at 96 dots per inch.
    void rowsAreAsHighAsTheFontsEmAndAsWideAsTheList() {
        launcher->form.List1.AddItem(kLongPath.toStdString());
        const QListWidget* list = launcher->find<QListWidget>("List1");
        const QRect first = list->visualItemRect(list->item(0));
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QCOMPARE(first.height(), QFontInfo(list->font()).pixelSize());
        QCOMPARE(first.height(), 12 * list->logicalDpiY() / 96);
        QCOMPARE(last.height(), first.height());
        QCOMPARE(last.top(), first.top() + first.height() * (list->count() - 1));
        QCOMPARE(last.width(), list->viewport()->width());
    }

    // List1's 960 twips hold five whole rows, and no row is ever cut at the bottom, scrolled or not.
    void fiveWholeRowsFillTheList() {
        QListWidget* list = launcher->find<QListWidget>("List1");
        QCOMPARE(list->count(), 15);
        const int rowHeight = list->visualItemRect(list->item(0)).height();
        QCOMPARE(list->viewport()->height(), 5 * rowHeight);
        QCOMPARE(list->visualItemRect(list->item(4)).bottom(), list->viewport()->height() - 1);
        for (int row = 1; row <= 10; ++row) {
            list->scrollToItem(list->item(14));
            QCOMPARE(list->visualItemRect(list->item(14)).bottom(), list->viewport()->height() - 1);
            list->verticalScrollBar()->setValue(row);
            QCOMPARE(list->visualItemRect(list->item(row)).top(), 0);
        }
    }

    // A list whose height is not whole rows shows the whole rows only, with empty room below them.
    void anUnevenHeightShowsWholeRowsOnly() {
        QListWidget* list = launcher->find<QListWidget>("List1");
        const int rowHeight = list->visualItemRect(list->item(0)).height();
        list->resize(list->width(), list->height() + rowHeight / 2);
        QCOMPARE(list->viewport()->height() % rowHeight, 0);
        QCOMPARE(list->viewport()->height(), 5 * rowHeight);
    }

    void theCutIsInvisible_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fontSlot");
        QTest::addColumn<bool>("selected");
        QTest::newRow("long Japanese path") << kLongPath << 0 << false;
        QTest::newRow("long Japanese path, selected") << kLongPath << 0 << true;
        QTest::newRow("kerned Latin in the proportional font")
            << QStringLiteral("AVAVAVAV To Wa Ty LT AV AV AV AV AV AV AV AV AV AV AV AV AV AV AV AV AV AV AV") << 1
            << false;
        QTest::newRow("characters outside the basic plane")
            << QStringLiteral(
                   "𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽/𠮷野家/𩸽")
            << 0 << false;
        QTest::newRow("letters from another font")
            << QStringLiteral("/home/利用者/გამარჯობა/ドキュメント/").repeated(5) << 0 << false;
        QTest::newRow("combining marks") << QStringLiteral("Cafe\u0301 re\u0301sume\u0301 nai\u0308ve ").repeated(6)
                                         << 1 << false;
        QTest::newRow("short entry") << QStringLiteral("NotePad") << 0 << false;
    }

    void theCutIsInvisible() {
        QFETCH(QString, text);
        QFETCH(int, fontSlot);
        QFETCH(bool, selected);
        const QFont font = fontSlot == 0 ? hopwick::fontFor(hopwick::controlSpec(hopwick::ControlId::List1).font)
                                         : hopwick::fontFor(hopwick::dialogFont());
        const QListWidget* list = launcher->find<QListWidget>("List1");
        constexpr int kWidth = 300;
        const QImage cut = paintEntry(*list, text, font, selected, kWidth);
        const QImage whole = paintEntry(*list, text, font, selected, 20 * kWidth).copy(0, 0, kWidth, cut.height());
        QCOMPARE(cut, whole);
        // And the entry looks as the list's font draws it.
        QCOMPARE(cut, drawnPlainly(*list, text, font, selected, kWidth));
        // Something was drawn at all, and for a long entry up to the edge.
        QVERIFY(cut != paintEntry(*list, QString(), font, selected, kWidth));
        if (QFontMetrics(font).horizontalAdvance(text) > kWidth) {
            QVERIFY(column(cut, kWidth - 8) !=
                    column(paintEntry(*list, QString(), font, selected, kWidth), kWidth - 8));
        }
    }

    // The entry that the arrow keys move from wears a frame while the list has the focus, as in a Windows list box.
    void theCurrentEntryIsFramedWhileTheListHasTheFocus() {
        const QListWidget* list = launcher->find<QListWidget>("List1");
        const QFont font = hopwick::fontFor(hopwick::controlSpec(hopwick::ControlId::List1).font);
        const QImage plain = paintEntry(*list, QStringLiteral("NotePad"), font, false, 300);
        const QImage framed = paintEntry(*list, QStringLiteral("NotePad"), font, false, 300, QStyle::State_HasFocus);
        QVERIFY(framed != plain);
        QVERIFY(framed != paintEntry(*list, QString(), font, false, 300, QStyle::State_HasFocus)); // text shows
    }

    // The glyphs are drawn aside while the window is mapped: the list the user sees, and the form, stay as they were.
    void preparingTheGlyphsLeavesTheListAsItWas() {
        launcher->form.List1.AddItem(kLongPath.toStdString());
        launcher->form.List1.setListIndex(2);
        auto* list = launcher->find<hopwick::ItemList>("List1");
        QTest::qWait(0);
        const QImage before = list->grab().toImage();
        const int selected = launcher->form.List1.ListIndex();
        const std::size_t starts = launcher->platform.starts.size();
        const std::size_t opens = launcher->platform.shellOpens.size();
        launcher->window.prepareFirstPaint();
        QCOMPARE(list->grab().toImage(), before);
        QCOMPARE(launcher->form.List1.ListIndex(), selected);
        QCOMPARE(list->currentRow(), selected);
        QCOMPARE(launcher->platform.starts.size(), starts); // nothing launched
        QCOMPARE(launcher->platform.shellOpens.size(), opens);
    }

private:
    static QImage paintEntry(const QWidget& list, const QString& text, const QFont& font, bool selected, int width,
                             QStyle::State extra = {}) {
        QStandardItemModel model;
        model.appendRow(new QStandardItem(text));
        QStyleOptionViewItem option;
        option.initFrom(&list);
        option.widget = &list;
        option.font = font;
        option.fontMetrics = QFontMetrics(font);
        option.state = QStyle::State_Enabled | QStyle::State_Active | extra;
        if (selected) {
            option.state |= QStyle::State_Selected;
        }
        option.rect = QRect(0, 0, width, option.fontMetrics.height());
        QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        EntryPainter().paint(&painter, option, model.index(0, 0));
        return image;
    }

    // The empty entry with the text drawn over it the ordinary way, where the style puts the text of an item.
    static QImage drawnPlainly(const QWidget& list, const QString& text, const QFont& font, bool selected, int width) {
        QImage image = paintEntry(list, QString(), font, selected, width);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(list.palette().color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text));
        const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
        painter.drawText(QPoint(margin, QFontMetrics(font).ascent()), text);
        return image;
    }

    static QImage column(const QImage& image, int x) { return image.copy(x, 0, 8, image.height()); }
};

QTEST_MAIN(TestEntryPainter)
#include "entry_painter_test.moc"
