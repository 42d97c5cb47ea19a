#include "launcher_test_case.h"
#include "platform/qt/accessibility.h"

#include <QtGui/QAccessible>
#include <QtTest/QtTest>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

using hopwick::testing::Launcher;
using hopwick::testing::LauncherTestCase;

// What the window offers assistive technologies, and that operating it through them acts as the user would.
class TestAccessibility : public LauncherTestCase {
    Q_OBJECT

private slots:
    void captionsAreReadWithoutTheirAccessKeyMarks_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("read");
        QTest::newRow("mark in parentheses") << QString("(&A)追加") << QString("追加");
        QTest::newRow("no mark") << QString("OK") << QString("OK");
        QTest::newRow("mark inside a word") << QString("&Cancel") << QString("Cancel");
        QTest::newRow("doubled ampersand") << QString("A && B") << QString("A & B");
        QTest::newRow("escaped ampersand in parentheses") << QString("(&&)") << QString("(&)");
    }

    void captionsAreReadWithoutTheirAccessKeyMarks() {
        QFETCH(QString, caption);
        QFETCH(QString, read);
        QCOMPARE(hopwick::accessibleCaption(caption), read);
    }

    void dialogButtonsAreNamedWithoutTheirAccessKeyMarks() {
        QDialog dialog;
        auto* yes = new QPushButton(QString("はい(&Y)"), &dialog);
        auto* ok = new QPushButton(QString("&OK"), &dialog);
        hopwick::nameButtonsByCaption(dialog);
        QCOMPARE(yes->accessibleName(), QString("はい"));
        QCOMPARE(ok->accessibleName(), QString("OK"));
    }

    void theWindowOffersOnlyTheControlsInView() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&launcher->window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(offeredNames(*window), (QStringList{"List1", "Label4", "Label2"}));
        launcher->form.Label2_Click();
        QCOMPARE(offeredNames(*window).size(), 16);
        for (int i = 0; i < window->childCount(); ++i) {
            QCOMPARE(window->indexOfChild(window->child(i)), i);
        }
        launcher->form.Command6_Click();
        QCOMPARE(offeredNames(*window), (QStringList{"List1", "Label4", "Label2"}));
        QCOMPARE(window->indexOfChild(accessible("Text1")), -1);
    }

    void labelsThatActArePushButtonsWithAPressAction() {
        for (const char* name : {"Label2", "Label3", "Label4"}) {
            QAccessibleInterface* label = accessible(name);
            QCOMPARE(label->role(), QAccessible::PushButton);
            QCOMPARE(label->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        }
        QCOMPARE(accessible("Label1")->role(), QAccessible::StaticText);
        QVERIFY(accessible("Label3")->state().offscreen); // "Help!" lies below the edge in normal mode

        accessible("Label2")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(launcher->form.SetupMode);
        QVERIFY(!accessible("Label3")->state().offscreen);
    }

    void theTextBoxIsNamedByItsLabel() {
        QAccessibleInterface* text = accessible("Text1");
        QCOMPARE(text->text(QAccessible::Name), QString("パスの入力："));
        const auto labels = text->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->object(), launcher->find("Label1"));
    }

    void textSetThroughTheAccessibleInterfaceReachesTheForm() {
        launcher->form.Label2_Click();
        QAccessibleEditableTextInterface* text = accessible("Text1")->editableTextInterface();
        QVERIFY(text);
        text->insertText(0, "/usr/bin/top");
        QCOMPARE(launcher->form.Text1.Text(), std::string("/usr/bin/top"));
        text->replaceText(0, 12, "/bin/ls");
        QCOMPARE(launcher->form.Text1.Text(), std::string("/bin/ls"));
        text->deleteText(0, 7);
        QCOMPARE(launcher->form.Text1.Text(), std::string());
    }

    // Selecting through the list's table only moves the selection: even in normal mode nothing starts.
    void anEntrySelectedThroughTheListsTableIsSelectedAndStartsNothing() {
        QAccessibleTableInterface* table = accessible("List1")->tableInterface();
        QVERIFY(table);
        QVERIFY(table->selectRow(3));
        QCOMPARE(launcher->form.List1.ListIndex(), 3);
        QVERIFY(table->selectRow(5));
        QCOMPARE(launcher->form.List1.ListIndex(), 5);
        QCOMPARE(selectedRows(), QList<int>{5});
        QCOMPARE(table->selectedRows(), QList<int>{5});
        QVERIFY(table->cellAt(5, 0)->state().selected);
        QVERIFY(!table->cellAt(3, 0)->state().selected);
        QVERIFY(!table->selectRow(launcher->form.List1.ListCount()));
        QVERIFY(!table->unselectRow(3));
        QVERIFY(table->unselectRow(5));
        QCOMPARE(launcher->form.List1.ListIndex(), -1);
        QCoreApplication::processEvents();
        QVERIFY(launcher->platform.starts.empty());
    }

    // The entry that the keys act on is the list's focused child while the list has the focus.
    void theSelectedEntryIsTheFocusedChildOfTheFocusedList() {
        QAccessibleInterface* list = accessible("List1");
        launcher->form.List1.moveSelection(2);
        auto* widget = launcher->find<QListWidget>("List1");
        launcher->window.activateWindow();
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QAccessibleInterface* focused = list->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->text(QAccessible::Name).toStdString(), launcher->form.List1.List(2));
        QVERIFY(focused->state().focused);
        QCOMPARE(list->indexOfChild(focused), 2);
    }

    // One run of text attributes covers the path: a run of no length makes a screen reader stop short.
    void thePathBoxReportsOneAttributeRunOverItsText() {
        launcher->form.Label2_Click();
        launcher->form.Text1.setText("/tmp/a\"b/app");
        QAccessibleTextInterface* text = accessible("Text1")->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), 12);
        for (int offset = 0; offset < 12; ++offset) {
            int start = -1;
            int end = -1;
            text->attributes(offset, &start, &end);
            QCOMPARE(start, 0);
            QCOMPARE(end, 12);
        }
        QCOMPARE(text->text(0, 12), QString("/tmp/a\"b/app"));
    }

    // The list's own passing selections while it shows a change of the model are no clicks.
    void removingTheSelectedEntryLeavesTheListAsTheModel() {
        launcher->form.Label2_Click();
        QVERIFY(accessible("List1")->tableInterface()->selectRow(3));
        QCOMPARE(launcher->form.List1.ListIndex(), 3);
        launcher->form.Command2_Click();
        QCoreApplication::processEvents();
        QCOMPARE(launcher->form.List1.ListIndex(), -1);
        QCOMPARE(selectedRows(), QList<int>{});
        auto* list = launcher->find<QListWidget>("List1");
        QCOMPARE(list->count(), launcher->form.List1.ListCount());
        for (int row = 0; row < list->count(); ++row) {
            QCOMPARE(list->item(row)->text().toStdString(), launcher->form.List1.List(row));
        }
    }

    // A click on a path that is gone: the box, then the entry removed while the list shows the click.
    void aMissingPathClickedAwayLeavesTheListAsTheModel() {
        Launcher own;
        own.writeFile("SIS", Launcher::storeBytes({own.folderPath("gone.txt"), "Calc"}));
        own.platform.answers.push_back(hopwick::testing::press(QMessageBox::Ok));
        QVERIFY(own.start());
        auto* list = own.find<QListWidget>("List1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QTRY_COMPARE(own.form.List1.ListCount(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString("Calc"));
        QCOMPARE(own.form.List1.ListIndex(), -1);
        QCOMPARE(selectedRows(*list), QList<int>{});
        QVERIFY(own.platform.starts.empty());
    }

    // A press is a click: in normal mode it starts the entry, after the caller's request has returned.
    void anEntryPressedThroughTheAccessibleInterfaceInNormalModeIsLaunched() {
        QAccessibleInterface* entry = accessible("List1")->child(4); // "Calc"
        QVERIFY(entry);
        QCOMPARE(entry->role(), QAccessible::ListItem);
        entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(launcher->platform.starts.empty());
        QTRY_COMPARE(launcher->platform.starts.size(), std::size_t{1});
        QCOMPARE(launcher->form.List1.ListIndex(), 4);
    }

private:
    QAccessibleInterface* accessible(const char* name) const {
        return QAccessible::queryAccessibleInterface(launcher->find(name));
    }

    static QStringList offeredNames(QAccessibleInterface& window) {
        QStringList names;
        for (int i = 0; i < window.childCount(); ++i) {
            names << window.child(i)->object()->objectName();
        }
        return names;
    }

    QList<int> selectedRows() const { return selectedRows(*launcher->find<QListWidget>("List1")); }
    static QList<int> selectedRows(const QListWidget& list) {
        QList<int> rows;
        for (const QModelIndex& index : list.selectionModel()->selectedIndexes()) {
            rows << index.row();
        }
        return rows;
    }
};

QTEST_MAIN(TestAccessibility)
#include "accessibility_test.moc"
