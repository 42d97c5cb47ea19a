#include "launcher_test_case.h"

#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>

using hopwick::testing::LauncherTestCase;

// Mouse clicks on the list's entries reach the form as clicks, and the list shows the model's selection.
class TestListClicks : public LauncherTestCase {
    Q_OBJECT

private slots:

    void aClickStartsTheEntry() {
        click(4);
        QCOMPARE(launcher->platform.starts.size(), std::size_t(1));
        QCOMPARE(launcher->form.List1.ListIndex(), 4);
        QCOMPARE(list()->currentRow(), 4);
        QCOMPARE(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(4)});
    }

    void aSecondClickOnTheSelectedEntryStartsItAgain() {
        click(1);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        click(1);
        QCOMPARE(launcher->platform.starts.size(), std::size_t(2));
        QCOMPARE(launcher->platform.starts[0], launcher->platform.starts[1]);
    }

    // A double click reaches a widget as press, release, double click, release, as under X11.
    void aDoubleClickStartsOnce() {
        click(2);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centreOf(2));
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, centreOf(2));
        QCOMPARE(launcher->platform.starts.size(), std::size_t(1));
    }

    void aRightClickSelectsNothing() {
        QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, centreOf(3));
        QVERIFY(launcher->platform.starts.empty());
        QCOMPARE(launcher->form.List1.ListIndex(), -1);
        QVERIFY(list()->selectedItems().isEmpty());
    }

    void aDragAcrossTheEntriesKeepsThePressedOne() {
        QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, centreOf(0));
        QTest::mouseMove(list()->viewport(), centreOf(2));
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, centreOf(2));
        QCOMPARE(launcher->platform.starts.size(), std::size_t(1));
        QCOMPARE(launcher->form.List1.ListIndex(), 0);
        QCOMPARE(list()->currentRow(), 0);
    }

    void inSetupModeAClickOnlySelects() {
        launcher->form.Label2_Click();
        click(2);
        QVERIFY(launcher->platform.starts.empty());
        QCOMPARE(launcher->form.List1.ListIndex(), 2);
        QCOMPARE(list()->currentRow(), 2);
    }

    // The core's own selection changes are shown without being reported back as a second click.
    void aSelectionByTheProgramIsReportedOnce() {
        launcher->form.List1.setListIndex(3);
        QCOMPARE(launcher->platform.starts.size(), std::size_t(1));
        QCOMPARE(list()->currentRow(), 3);
        launcher->form.List1.RemoveItem(3);
        QCOMPARE(launcher->platform.starts.size(), std::size_t(1));
        QVERIFY(list()->selectedItems().isEmpty());
        QCOMPARE(list()->count(), 14);
    }

private:
    QListWidget* list() const { return launcher->find<QListWidget>("List1"); }
    QPoint centreOf(int row) const { return list()->visualItemRect(list()->item(row)).center(); }
    void click(int row) const { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf(row)); }
};

QTEST_MAIN(TestListClicks)
#include "list_click_test.moc"
