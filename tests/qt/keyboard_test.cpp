#include "launcher_test_case.h"

#include <algorithm>

#include <QtTest/QtTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>

using hopwick::testing::cancel;
using hopwick::testing::LauncherTestCase;
using hopwick::testing::press;

namespace {

const QString kEnterPathTitle = "ﾊﾟｽ を入力して下さい。";
const QString kEmptyTextPrompt = "ﾃｷｽﾄ が空です。";
const QString kInitialisePrompt = "本当に初期化しますか？\n";
const QString kInitialiseTitle = "初期化";

} // namespace

// Keys: Enter in the path input, access keys only in setup mode, the window's own shortcuts, and the arrow
// keys in the list.
class TestKeyboard : public LauncherTestCase {
    Q_OBJECT

private slots:

    void enterInThePathInputAddsThePath_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("plain") << Qt::KeyboardModifiers();
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
    }

    void enterInThePathInputAddsThePath() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        enterSetupMode();
        const QString path = launcher->folder.path();
        QTest::keyClicks(text(), path);
        QCOMPARE(launcher->form.Text1.Text(), path.toStdString());
        QTest::keyClick(text(), Qt::Key_Return, modifiers);
        QCOMPARE(list()->count(), 16);
        QCOMPARE(list()->item(15)->text(), path);
        QVERIFY(launcher->platform.modals.empty());
        QCOMPARE(text()->text(), path); // the text stays, so Enter adds it again
    }

    void enterWithAnEmptyPathExplains() {
        enterSetupMode();
        launcher->platform.answers.push_back(press(QMessageBox::Ok));
        QTest::keyClick(text(), Qt::Key_Enter);
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].title, kEnterPathTitle);
        QCOMPARE(launcher->platform.modals[0].text, kEmptyTextPrompt);
        QCOMPARE(launcher->platform.beeps, 1);
        QCOMPARE(list()->count(), 15);
    }

    // P, I, C, D, E and S all run commands with Alt; typed plainly they are only text.
    void plainLettersGoIntoTheText() {
        enterSetupMode();
        QTest::keyClicks(text(), "pics de");
        QCOMPARE(text()->text(), QString("pics de"));
        QCOMPARE(launcher->form.Text1.Text(), std::string("pics de"));
        QVERIFY(launcher->platform.modals.empty());
        QCOMPARE(list()->count(), 15);
    }

    void accessKeysDoNothingInNormalMode_data() { accessKeys_data(); }
    void accessKeysDoNothingInNormalMode() {
        QFETCH(int, key);
        launcher->window.setFocus();
        QTest::keyClick(&launcher->window, Qt::Key(key), Qt::AltModifier);
        QTRY_VERIFY(!aButtonIsDown());
        QVERIFY(launcher->platform.modals.empty());
        QCOMPARE(launcher->platform.beeps, 0);
        QCOMPARE(list()->count(), 15);
    }

    void accessKeysActInSetupMode() {
        enterSetupMode();
        // A: add, with the path input empty.
        launcher->platform.answers.push_back(press(QMessageBox::Ok));
        QTest::keyClick(text(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].text, kEmptyTextPrompt);
        // I: initialise, declined.
        launcher->platform.answers.push_back(press(QMessageBox::No));
        QTest::keyClick(text(), Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(launcher->platform.modals.size(), std::size_t(2));
        QCOMPARE(launcher->platform.modals[1].title, kInitialiseTitle);
        QCOMPARE(launcher->platform.modals[1].text, kInitialisePrompt);
        QTRY_VERIFY(!aButtonIsDown());
        QCOMPARE(launcher->platform.modals.size(), std::size_t(2)); // each key ran its command once
    }

    // Alt with S runs the add command through the window's own key handler, which has no button of that letter.
    void theWindowsShortcutsActInSetupMode() {
        enterSetupMode();
        launcher->platform.answers.push_back(press(QMessageBox::Ok));
        QTest::keyClick(text(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].text, kEmptyTextPrompt);
        // C is both a shortcut and an access key: the choose dialog comes up once.
        launcher->platform.answers.push_back(cancel());
        QTest::keyClick(text(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!aButtonIsDown());
        QCOMPARE(launcher->platform.modals.size(), std::size_t(2));
        QVERIFY(!launcher->platform.modals[1].filters.isEmpty());
    }

    // Moving through the list starts nothing; Enter and Space start the selected entry.
    void arrowKeysInTheListStartNothingInNormalMode() {
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(launcher->form.List1.ListIndex(), 0);
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Up);
        QCOMPARE(launcher->form.List1.ListIndex(), 1);
        QCOMPARE(list()->currentRow(), 1);
        QTest::keyClick(list(), Qt::Key_End);
        QCOMPARE(list()->currentRow(), 14);
        QTest::keyClick(list(), Qt::Key_PageUp);
        QTest::keyClick(list(), Qt::Key_Home);
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(launcher->platform.starts.empty());
        QTest::keyClick(list(), Qt::Key_Return);
        QTest::keyClick(list(), Qt::Key_Space);
        QCOMPARE(launcher->platform.starts.size(), std::size_t(2));
    }

    void arrowKeysInTheListOnlySelectInSetupMode() {
        enterSetupMode();
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(launcher->form.List1.ListIndex(), 1);
        QVERIFY(launcher->platform.starts.empty());
    }

    // A typed letter selects the next entry that begins with it, as the key table says, and starts nothing.
    void aLetterInTheListSelectsWithoutStarting() {
        list()->setFocus();
        QTest::keyClicks(list(), "cd");
        QCOMPARE(launcher->form.List1.ListIndex(), 7); // Calc, then DosPrompt
        QCOMPARE(list()->currentRow(), 7);
        QVERIFY(launcher->platform.starts.empty());
    }

    // After an add the focus is on OK, so that Enter confirms next: Enter and the keypad's Enter press the focused
    // button as Space does.
    void enterPressesTheFocusedOk_data() { enterKeys_data(); }
    void enterPressesTheFocusedOk() {
        QFETCH(int, key);
        enterSetupMode();
        const QString path = launcher->folder.path();
        QTest::keyClicks(text(), path);
        QTest::keyClick(text(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), launcher->find("Command1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!launcher->form.SetupMode);
        QCOMPARE(launcher->window.height(), 1755 / 15);
        QVERIFY(launcher->readFile("SIS").find(path.toStdString()) != std::string::npos); // saved
        QVERIFY(launcher->platform.modals.empty());
    }

    void enterPressesEveryFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("title");
        QTest::newRow("add, Return") << "Command20" << int(Qt::Key_Return) << kEnterPathTitle;
        QTest::newRow("add, keypad Enter") << "Command20" << int(Qt::Key_Enter) << kEnterPathTitle;
        QTest::newRow("initialise, Return") << "Command5" << int(Qt::Key_Return) << kInitialiseTitle;
        QTest::newRow("initialise, keypad Enter") << "Command5" << int(Qt::Key_Enter) << kInitialiseTitle;
    }

    void enterPressesEveryFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, title);
        enterSetupMode();
        QWidget* focused = launcher->find(button.toLatin1().constData());
        focused->setFocus();
        launcher->platform.answers.push_back(cancel());
        QTest::keyClick(focused, Qt::Key(key));
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].title, title);
    }

    void enterPressesCancel() {
        enterSetupMode();
        launcher->form.List1.AddItem("/opt/unsaved");
        launcher->find("Command6")->setFocus();
        QTest::keyClick(launcher->find("Command6"), Qt::Key_Enter);
        QVERIFY(!launcher->form.SetupMode);
        QCOMPARE(list()->count(), 15); // reloaded without the unsaved item
    }

    // A held Enter repeats its key press; the button is pressed once, as a held Space presses it once.
    void aHeldEnterPressesOnce() {
        enterSetupMode();
        QWidget* add = launcher->find("Command20");
        add->setFocus();
        launcher->platform.answers.push_back(cancel());
        QTest::keyPress(add, Qt::Key_Return);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
        QApplication::sendEvent(add, &repeat);
        QTest::keyRelease(add, Qt::Key_Return);
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
    }

    // In normal mode Tab and Shift+Tab go between the list and the setup label, and never reach the setup band
    // below the window's edge.
    void tabStaysInViewInNormalMode_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab);
    }

    void tabStaysInViewInNormalMode() {
        QFETCH(int, key);
        list()->setFocus();
        QSet<QString> reached;
        for (int press = 0; press < 20; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            reached.insert(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(reached, (QSet<QString>{"List1", "Label2"}));
        QVERIFY(launcher->platform.modals.empty());
        QVERIFY(launcher->platform.starts.empty());
    }

    // Enter and Space press the setup label as a button; F2 does from anywhere.
    void theSetupLabelTakesEnterSpaceAndF2_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("F2 on the list") << int(Qt::Key_F2);
    }

    void theSetupLabelTakesEnterSpaceAndF2() {
        QFETCH(int, key);
        QWidget* target = key == Qt::Key_F2 ? static_cast<QWidget*>(list()) : launcher->find("Label2");
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(launcher->form.SetupMode);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text()));
    }

    // After OK the focus stays on the list, never on the bare window.
    void afterOkTheFocusIsOnTheList() {
        enterSetupMode();
        QTest::mouseClick(launcher->find("Command1"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list()));
    }

    void tabWalksTheWholeTabOrderInSetupMode() {
        enterSetupMode();
        const QStringList order{"Command20", "Command1", "Command3", "Command5", "Command2", "Label2", "Command4",
                                "Command7",  "Label3",   "Command6", "Command8", "Command9", "List1",  "Text1"};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("List1"));
    }

    // Should the focus ever stand on a control out of view in normal mode, no key presses it.
    void aControlOutOfViewTakesNoKey_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("delete, Space") << "Command2" << int(Qt::Key_Space);
        QTest::newRow("delete, Enter") << "Command2" << int(Qt::Key_Return);
        QTest::newRow("add, Space") << "Command20" << int(Qt::Key_Space);
        QTest::newRow("path input, Enter") << "Text1" << int(Qt::Key_Return);
    }

    void aControlOutOfViewTakesNoKey() {
        QFETCH(QString, control);
        QFETCH(int, key);
        launcher->form.List1.setListIndex(0); // what a hidden delete would remove
        launcher->platform.starts.clear();
        QWidget* hidden = launcher->find(control.toLatin1().constData());
        hidden->setFocus();
        QTest::keyClick(hidden, Qt::Key(key));
        QVERIFY(launcher->platform.modals.empty());
        QCOMPARE(list()->count(), 15);
        QVERIFY(!launcher->form.SetupMode);
        // Tab still takes the focus back into view: to the setup label, the next control in view.
        QTest::keyClick(hidden, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), launcher->find("Label2"));
    }

private:
    static void enterKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    QListWidget* list() const { return launcher->find<QListWidget>("List1"); }
    // An access key holds its button down for a short animation and clicks it at the end: once no button is
    // down, whatever a key set off has run.
    bool aButtonIsDown() const {
        const QList<QAbstractButton*> buttons = launcher->window.findChildren<QAbstractButton*>();
        return std::any_of(buttons.begin(), buttons.end(),
                           [](const QAbstractButton* button) { return button->isDown(); });
    }
    QLineEdit* text() const { return launcher->find<QLineEdit>("Text1"); }
    void accessKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("A add") << int(Qt::Key_A);
        QTest::newRow("C choose") << int(Qt::Key_C);
        QTest::newRow("I initialise") << int(Qt::Key_I);
        QTest::newRow("D delete") << int(Qt::Key_D);
        QTest::newRow("P picture") << int(Qt::Key_P);
        QTest::newRow("E delete picture") << int(Qt::Key_E);
        QTest::newRow("S add") << int(Qt::Key_S);
    }

    void enterSetupMode() const {
        QTest::mouseClick(launcher->find("Label2"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text()));
    }
};

QTEST_MAIN(TestKeyboard)
#include "keyboard_test.moc"
