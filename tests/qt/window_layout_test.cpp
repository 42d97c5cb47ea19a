#include "launcher_test_case.h"

#include <QtTest/QtTest>

#include <set>

using hopwick::testing::LauncherTestCase;

// The window's size in both modes and where its controls lie, in logical pixels of 15 twips.
class TestWindowLayout : public LauncherTestCase {
    Q_OBJECT

private slots:

    void clientAreaInBothModes() {
        QWidget& window = launcher->window;
        QCOMPARE(window.size(), QSize(6960 / 15, 1755 / 15));
        launcher->form.Label2_Click();
        QCOMPARE(window.size(), QSize(6960 / 15, 2865 / 15));
        launcher->form.Command6_Click();
        QCOMPARE(window.size(), QSize(6960 / 15, 1755 / 15));
    }

    void userCannotResize() {
        QWidget& window = launcher->window;
        QCOMPARE(window.minimumSize(), window.maximumSize());
        window.resize(800, 600);
        QCOMPARE(window.size(), QSize(6960 / 15, 1755 / 15));
    }

    void normalModeShowsOnlyTheTopStrip() {
        QCOMPARE(controlsInView(), (std::set<QString>{"List1", "Label4", "Label2"}));
        for (const char* name : {"List1", "Label4", "Label2"}) {
            QVERIFY2(launcher->find(name)->geometry().bottom() < launcher->window.height(), name);
        }
    }

    void setupModeShowsEveryControl() {
        launcher->form.Label2_Click();
        const QList<QWidget*> controls = launcher->window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 16);
        // The lowest row reaches a little below the client area, as laid out; its tops are all in view.
        const QRect view = launcher->window.rect();
        for (QWidget* control : controls) {
            const QRect place = control->geometry();
            QVERIFY2(view.contains(place.topLeft()), qPrintable(control->objectName()));
            QVERIFY2(view.intersected(place).height() >= place.height() - 2, qPrintable(control->objectName()));
            QVERIFY2(control->isVisible() && control->isEnabled(), qPrintable(control->objectName()));
        }
    }

    void controlPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("List1") << "List1" << 120 << 120 << 6735 << 960;
        QTest::newRow("Text1") << "Text1" << 120 << 2505 << 3015 << 270;
        QTest::newRow("Command20") << "Command20" << 3360 << 2520 << 855 << 255;
        QTest::newRow("Command1") << "Command1" << 6120 << 1920 << 735 << 255;
        QTest::newRow("Command3") << "Command3" << 120 << 1920 << 1215 << 255;
        QTest::newRow("Command5") << "Command5" << 1320 << 1920 << 975 << 255;
        QTest::newRow("Command2") << "Command2" << 2280 << 1920 << 1215 << 255;
        QTest::newRow("Label4") << "Label4" << 120 << 1200 << 615 << 375;
        QTest::newRow("Label1") << "Label1" << 120 << 2280 << 2895 << 255;
        QTest::newRow("Label2") << "Label2" << 5760 << 1200 << 1335 << 495;
        QTest::newRow("Command4") << "Command4" << 3720 << 1920 << 855 << 255;
        QTest::newRow("Command7") << "Command7" << 4560 << 1920 << 1335 << 255;
        QTest::newRow("Label3") << "Label3" << 6360 << 2520 << 735 << 375;
        QTest::newRow("Command6") << "Command6" << 6120 << 2160 << 735 << 300;
        QTest::newRow("Command8") << "Command8" << 4440 << 2520 << 375 << 255;
        QTest::newRow("Command9") << "Command9" << 4920 << 2520 << 375 << 255;
    }

    void controlPlaces() {
        QFETCH(QString, name);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, width);
        QFETCH(int, height);
        QWidget* control = launcher->window.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), QRect(left / 15, top / 15, width / 15, height / 15));
        launcher->form.Label2_Click();
        QCOMPARE(control->geometry(), QRect(left / 15, top / 15, width / 15, height / 15));
    }

    void tabOrderFollowsTheTabIndex() {
        QStringList order;
        QWidget* first = launcher->find("List1");
        QWidget* widget = first;
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != first && order.size() < 40);
        // The setup label and "Help!" act as buttons, and take the focus as buttons do.
        QCOMPARE(order, QStringList({"List1", "Text1", "Command20", "Command1", "Command3", "Command5", "Command2",
                                     "Label2", "Command4", "Command7", "Label3", "Command6", "Command8", "Command9"}));
    }

private:
    std::set<QString> controlsInView() const {
        std::set<QString> names;
        const QRect view = launcher->window.rect();
        for (QWidget* control : launcher->window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (view.intersects(control->geometry())) {
                names.insert(control->objectName());
            }
        }
        return names;
    }
};

QTEST_MAIN(TestWindowLayout)
#include "window_layout_test.moc"
