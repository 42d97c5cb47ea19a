#include "launcher.h"

#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QScrollBar>

using hopwick::testing::Launcher;

// The list shows what the start-up loaded: the stored items, or the default items on a first run.
class TestStoreList : public QObject {
    Q_OBJECT

private slots:
    void firstRunShowsTheDefaultItems() {
        Launcher launcher;
        QVERIFY(launcher.start());
        QCOMPARE(shownItems(launcher),
                 QStringList({"NotePad", "Paint", "Explorer", "WordPad", "Calc", "Telnet", "FTP", "DosPrompt", "defrag",
                              "Regedit", "Scandisk", "Dialer", "Winfile", "Progman", "Imaging"}));
        QCOMPARE(launcher.find<QListWidget>("List1")->selectedItems().size(), 0);
    }

    void storedItemsAreShownInOrder() {
        Launcher launcher;
        const std::string japanese = *launcher.platform.encodeCodePage932("/home/user/文書/予定表.txt");
        launcher.writeFile("SIS", Launcher::storeBytes({"/usr/bin/xterm", "/srv/a,b,c", japanese, "Calc"}));
        QVERIFY(launcher.start());
        QCOMPARE(shownItems(launcher),
                 QStringList({"/usr/bin/xterm", "/srv/a,b,c", "/home/user/文書/予定表.txt", "Calc"}));
        auto* list = launcher.find<QListWidget>("List1");
        QCOMPARE(list->selectedItems().size(), 0);
        QCOMPARE(launcher.form.List1.ListIndex(), -1);
    }

    void aLongListScrollsInsideTheList() {
        Launcher launcher;
        std::vector<std::string> items;
        for (int i = 0; i < 30; ++i) {
            items.push_back("/opt/tool" + std::to_string(i));
        }
        launcher.writeFile("SIS", Launcher::storeBytes(items));
        QVERIFY(launcher.start());
        auto* list = launcher.find<QListWidget>("List1");
        QCOMPARE(list->count(), 30);
        QCOMPARE(list->height(), 960 / 15);
        QVERIFY(list->verticalScrollBar()->isVisible());
        QCOMPARE(launcher.window.height(), 1755 / 15);
    }

    void theListFollowsTheModel() {
        Launcher launcher;
        QVERIFY(launcher.start());
        hopwick::ListBox& model = launcher.form.List1;
        model.Clear();
        model.AddItem("one");
        model.AddItem("two");
        model.AddItem("three");
        model.setList(1, "second");
        model.RemoveItem(0);
        QCOMPARE(shownItems(launcher), QStringList({"second", "three"}));
    }

private:
    static QStringList shownItems(const Launcher& launcher) {
        QStringList items;
        auto* list = launcher.find<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
        return items;
    }
};

QTEST_MAIN(TestStoreList)
#include "store_list_test.moc"
