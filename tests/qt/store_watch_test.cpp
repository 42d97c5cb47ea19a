#include "launcher.h"
#include "platform/qt/store_watcher.h"

#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>

#include <filesystem>

using hopwick::testing::Launcher;

// The watch on the store: another window's save shows in normal mode, also when the store was removed and
// written again, and never while one of the window's boxes is up.
class TestStoreWatch : public QObject {
    Q_OBJECT

private slots:
    void anotherWindowsSaveIsFollowedEveryTime() {
        Launcher launcher;
        launcher.writeFile("SIS", Launcher::storeBytes({"NotePad"}));
        QVERIFY(launcher.start());
        hopwick::StoreWatcher watcher(launcher.form, launcher.form.StorePath);
        for (const char* added : {"Calc", "Paint", "FTP"}) {
            replaceStore(launcher, {"NotePad", added});
            QTRY_COMPARE_WITH_TIMEOUT(shown(launcher), QStringList({"NotePad", added}), kPatience);
        }
    }

    void aStoreRemovedAndWrittenAgainIsFollowed() {
        Launcher launcher;
        launcher.writeFile("SIS", Launcher::storeBytes({"NotePad", "Calc"}));
        QVERIFY(launcher.start());
        hopwick::StoreWatcher watcher(launcher.form, launcher.form.StorePath);
        std::filesystem::remove(launcher.folderPath("SIS"));
        QTRY_COMPARE_WITH_TIMEOUT(shown(launcher).size(), 15, kPatience); // the default items, as a first start
        launcher.writeFile("SIS", Launcher::storeBytes({"Paint"}));
        QTRY_COMPARE_WITH_TIMEOUT(shown(launcher), QStringList({"Paint"}), kPatience);
    }

    void aChangeWaitsUntilTheWindowsBoxIsClosed() {
        Launcher launcher;
        launcher.writeFile("SIS", Launcher::storeBytes({"NotePad"}));
        QVERIFY(launcher.start());
        hopwick::StoreWatcher watcher(launcher.form, launcher.form.StorePath);
        QStringList whileBoxUp;
        QMessageBox box(&launcher.window);
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        replaceStore(launcher, {"NotePad", "Calc"});
        // Long enough for the watch to have seen the change.
        QTest::qWait(1500);
        whileBoxUp = shown(launcher);
        box.close();
        QCOMPARE(whileBoxUp, QStringList({"NotePad"}));
        QTRY_COMPARE_WITH_TIMEOUT(shown(launcher), QStringList({"NotePad", "Calc"}), kPatience);
    }

private:
    static constexpr int kPatience = 10000;

    // As another window's save does: the new content written into the store in place.
    static void replaceStore(Launcher& launcher, const std::vector<std::string>& items) {
        launcher.writeFile("SIS", Launcher::storeBytes(items));
    }

    static QStringList shown(Launcher& launcher) {
        QStringList items;
        const auto* list = launcher.find<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
        return items;
    }
};

QTEST_MAIN(TestStoreWatch)
#include "store_watch_test.moc"
