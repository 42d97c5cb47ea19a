#include "launcher_test_case.h"

#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>

using hopwick::testing::cancel;
using hopwick::testing::LauncherTestCase;
using hopwick::testing::press;

namespace {

const QString kEmptyTextPrompt = "ﾃｷｽﾄ が空です。";
const QString kInitialiseTitle = "初期化";

} // namespace

// Each button and label runs its own handler, by a real click in setup mode.
class TestControlWiring : public LauncherTestCase {
    Q_OBJECT

private slots:
    void init() {
        LauncherTestCase::init();
        QTest::mouseClick(launcher->find("Label2"), Qt::LeftButton);
    }

    void addWithAnEmptyPathExplains() {
        launcher->platform.answers.push_back(press(QMessageBox::Ok));
        click("Command20");
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].text, kEmptyTextPrompt);
    }

    void initialiseAsksFirst() {
        launcher->platform.answers.push_back(press(QMessageBox::No));
        click("Command5");
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].title, kInitialiseTitle);
    }

    void deleteRemovesTheSelectedItem() {
        selectRow(2);
        click("Command2");
        QCOMPARE(items().size(), 14);
        QVERIFY(!items().contains("Explorer"));
    }

    void upAndDownMoveTheSelectedItem() {
        selectRow(2);
        click("Command8");
        QCOMPARE(items().mid(0, 3), QStringList({"NotePad", "Explorer", "Paint"}));
        click("Command9");
        click("Command9");
        QCOMPARE(items().mid(0, 4), QStringList({"NotePad", "Paint", "WordPad", "Explorer"}));
        QCOMPARE(list()->currentRow(), 3);
    }

    void helpOpensAMailAndChangesNothing() {
        click("Label3");
        QCOMPARE(launcher->platform.shellOpens.size(), std::size_t(1));
        QVERIFY(launcher->platform.shellOpens[0].starts_with("mailto:"));
        QVERIFY(launcher->form.SetupMode);
    }

    void theLabelWithoutAHandlerDoesNothing() {
        click("Label1");
        QVERIFY(launcher->platform.modals.empty());
        QVERIFY(launcher->platform.shellOpens.empty());
        QVERIFY(launcher->form.SetupMode);
    }

    void aDoubleClickOnTheSurfaceChoosesAPicture() {
        launcher->platform.answers.push_back(cancel());
        QTest::mouseDClick(&launcher->window, Qt::LeftButton, {}, QPoint(3, 150));
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QVERIFY(!launcher->platform.modals[0].filters.isEmpty());
    }

    void aDoubleClickOnAControlIsNotOneOnTheSurface() {
        QTest::mouseDClick(launcher->find("Label1"), Qt::LeftButton);
        QTest::mouseDClick(launcher->find("Command7"), Qt::LeftButton);
        QVERIFY(launcher->platform.modals.empty());
    }

    void aDoubleClickOnTheSurfaceDoesNothingInNormalMode() {
        click("Command6");
        QTest::mouseDClick(&launcher->window, Qt::LeftButton, {}, QPoint(3, 100));
        QVERIFY(launcher->platform.modals.empty());
    }

private:
    QListWidget* list() const { return launcher->find<QListWidget>("List1"); }
    void click(const char* name) const { QTest::mouseClick(launcher->find(name), Qt::LeftButton); }
    void selectRow(int row) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
    }
    QStringList items() const {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i) {
            texts << list()->item(i)->text();
        }
        return texts;
    }
};

QTEST_MAIN(TestControlWiring)
#include "control_wiring_test.moc"
