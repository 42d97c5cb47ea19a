#include "launcher_test_case.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/qt_picture.h"

#include "app/control_table.h"

#include <QtGui/QImage>
#include <QtTest/QtTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyleOptionButton>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

using hopwick::testing::LauncherTestCase;

namespace {

using Pair = std::pair<QString, QString>;

const QColor kPictureColour(200, 40, 120);

// The room a control has for its text: its contents, less any part that lies outside the window.
QRect roomForText(const QWidget& control) {
    QRect room = control.contentsRect();
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    const QRect window = control.parentWidget()->rect().translated(-control.pos());
    return room.intersected(window);
}

} // namespace

// The layout in logical pixels whatever the screen's density: the window keeps its size, the controls keep their
// places without covering one another, their texts fit, and a picture is drawn at its own size. CTest runs it as
// the screen is and again with QT_SCALE_FACTOR=2.
class TestDisplayScale : public LauncherTestCase {
    Q_OBJECT

private slots:
    void devicePixelsFollowTheScale() {
        const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        QCOMPARE(launcher->window.devicePixelRatioF(), scale);
        QCOMPARE(launcher->window.grab().size(), launcher->window.size() * scale);
    }

    void clientAreaInLogicalPixels() {
        QCOMPARE(launcher->window.size(), QSize(464, 117));
        launcher->form.Label2_Click();
        QCOMPARE(launcher->window.size(), QSize(464, 191));
    }

    // The design lets neighbouring buttons share a border pixel, and the path label's box reach two pixels into
    // the path input; nothing else touches.
    void onlyTheDesignsOwnOverlaps() {
        const QList<QWidget*> controls = launcher->window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        std::set<Pair> overlapping;
        for (qsizetype i = 0; i < controls.size(); ++i) {
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                const QRect common = controls[i]->geometry().intersected(controls[j]->geometry());
                if (!common.isEmpty()) {
                    overlapping.insert(std::minmax(controls[i]->objectName(), controls[j]->objectName()));
                    QVERIFY2(std::min(common.width(), common.height()) <= 2,
                             qPrintable(controls[i]->objectName() + " " + controls[j]->objectName()));
                }
            }
        }
        const std::set<Pair> design{{"Command3", "Command5"},
                                    {"Command2", "Command5"},
                                    {"Command4", "Command7"},
                                    {"Command1", "Command6"},
                                    {"Label1", "Text1"}};
        QCOMPARE(overlapping, design);
    }

    // In setup mode the whole layout is in view, but for what the design itself puts past the client area: the
    // setup label and "Help!" reach 9 pixels past the right edge, "Help!" 2 past the bottom.
    void onlyTheDesignsOwnOverhangs() {
        launcher->form.Label2_Click();
        const QRect view = launcher->window.rect();
        std::map<QString, QSize> overhangs;
        for (QWidget* control : launcher->window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QRect place = control->geometry();
            QVERIFY2(view.contains(place.topLeft()), qPrintable(control->objectName()));
            const QSize overhang(std::max(0, place.right() - view.right()),
                                 std::max(0, place.bottom() - view.bottom()));
            if (!overhang.isNull()) {
                overhangs[control->objectName()] = overhang;
            }
        }
        QCOMPARE(overhangs, (std::map<QString, QSize>{{"Label2", {9, 0}}, {"Label3", {9, 2}}}));
    }

    void textsFit_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("setupMode");
        for (const hopwick::ControlSpec& spec : hopwick::controlTable()) {
            if (spec.kind == hopwick::ControlKind::Button || spec.kind == hopwick::ControlKind::Label) {
                const QByteArray name(spec.name.data(), static_cast<qsizetype>(spec.name.size()));
                QTest::newRow(name.constData()) << QString::fromLatin1(name) << true;
            }
        }
        QTest::newRow("Label2 in normal mode") << "Label2" << false; // bold only in setup mode
    }

    // Every caption whole within the part of its control that is in view, in the mode that shows it whole; Label2
    // and Label3 reach past the window's right edge as laid out, and Label3 past its bottom.
    void textsFit() {
        QFETCH(QString, name);
        QFETCH(bool, setupMode);
        if (setupMode) {
            launcher->form.Label2_Click();
        }
        QWidget* control = launcher->window.findChild<QWidget*>(name);
        QVERIFY(control);
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* button = qobject_cast<QPushButton*>(control);
        const QString text = label ? label->text() : hopwick::plainCaption(button->text());
        QVERIFY(!text.isEmpty());
        const QSize needed = control->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), 0, text).size();
        const QRect room = roomForText(*control);
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QString("\"%1\" needs %2x%3, has %4x%5")
                                .arg(text)
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())));
    }

    // Its pixels at their logical size: not stretched to device pixels twice, nor drawn one to one in them.
    void pictureAtItsOwnSize() {
        launcher->form.Label2_Click();
        QImage image(100, 120, QImage::Format_RGB32);
        image.fill(kPictureColour);
        launcher->window.showPicture(std::make_shared<hopwick::QtPicture>(image));
        const QImage shot = launcher->window.grab().toImage();
        const int scale = qRound(shot.devicePixelRatio());
        // Along the strips left of and above the list, which are not covered by controls.
        QCOMPARE(shot.pixelColor(3 * scale, 120 * scale - 1), kPictureColour);
        QVERIFY(shot.pixelColor(3 * scale, 120 * scale) != kPictureColour);
        QCOMPARE(shot.pixelColor(100 * scale - 1, 3 * scale), kPictureColour);
        QVERIFY(shot.pixelColor(100 * scale, 3 * scale) != kPictureColour);
    }
};

QTEST_MAIN(TestDisplayScale)
#include "display_scale_test.moc"
