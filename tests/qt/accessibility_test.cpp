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

    void anEntrySelectedThroughTheAccessibleInterfaceIsSelectedInTheList() {
        launcher->form.Label2_Click(); // a selection only selects here
        toggleEntry(3);
        QTRY_COMPARE(launcher->form.List1.ListIndex(), 3);
        toggleEntry(5);
        QTRY_COMPARE(launcher->form.List1.ListIndex(), 5);
        QTRY_COMPARE(selectedRows(), QList<int>{5});
        // Taking the selection away is the model's to decide: the list shows it again.
        toggleEntry(5);
        QTRY_COMPARE(selectedRows(), QList<int>{5});
        QCOMPARE(launcher->form.List1.ListIndex(), 5);
        QVERIFY(launcher->platform.starts.empty());
    }

    // The list's own passing selections while it shows a change of the model are no clicks.
    void removingTheSelectedEntryLeavesTheListAsTheModel() {
        launcher->form.Label2_Click();
        toggleEntry(3);
        QTRY_COMPARE(launcher->form.List1.ListIndex(), 3);
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

    void anEntrySelectedThroughTheAccessibleInterfaceInNormalModeIsLaunched() {
        toggleEntry(4); // "Calc"
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

    void toggleEntry(int row) const {
        QAccessibleInterface* list = accessible("List1");
        QAccessibleInterface* entry = list->tableInterface() ? list->tableInterface()->cellAt(row, 0) : nullptr;
        QVERIFY(entry);
        entry->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
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
