#include "launcher_test_case.h"
#include "platform/qt/drop_forwarding.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>

#include <filesystem>

using hopwick::testing::Launcher;
using hopwick::testing::LauncherTestCase;
using hopwick::testing::press;

namespace {

const QString kDropPrompt = "ﾘｽﾄ に追加しますか？";
const QString kDropTitle = "ﾌｧｲﾙ を ﾄﾞﾛｯﾌﾟ しました。";

} // namespace

// Files dropped on the list or on the window are offered one by one; each accepted one is added and saved.
class TestDrops : public LauncherTestCase {
    Q_OBJECT

private slots:

    void threeFilesAnsweredYesNoYes_data() {
        QTest::addColumn<bool>("onList");
        QTest::newRow("on the list") << true;
        QTest::newRow("on the window") << false;
    }

    void threeFilesAnsweredYesNoYes() {
        QFETCH(bool, onList);
        const QStringList files = makeFiles({"one.txt", "two.txt", "third file"});
        auto& answers = launcher->platform.answers;
        answers.push_back(press(QMessageBox::Yes));
        answers.push_back(press(QMessageBox::No));
        answers.push_back(press(QMessageBox::Yes));

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1]), QUrl::fromLocalFile(files[2])});
        QWidget* target = onList ? list()->viewport() : static_cast<QWidget*>(&launcher->window);
        const QPoint at = onList ? QPoint(20, 20) : QPoint(200, 90);
        const Drop drop = dragAndDrop(target, at, mime, Qt::CopyAction | Qt::MoveAction);

        QVERIFY(drop.accepted);
        QCOMPARE(drop.action, Qt::CopyAction);
        // The drop has returned, finished, before its first question.
        QVERIFY(launcher->platform.modals.empty());
        QCOMPARE(list()->count(), 15);
        QCoreApplication::processEvents();
        QCOMPARE(launcher->platform.modals.size(), std::size_t(3));
        for (const auto& modal : launcher->platform.modals) {
            QCOMPARE(modal.title, kDropTitle);
            QCOMPARE(modal.text, kDropPrompt);
        }
        QCOMPARE(list()->count(), 17);
        QCOMPARE(list()->item(15)->text(), files[0]);
        QCOMPARE(list()->item(16)->text(), files[2]);
        QCOMPARE(launcher->readFile("SIS"),
                 Launcher::storeBytes({"NotePad", "Paint", "Explorer", "WordPad", "Calc", "Telnet", "FTP", "DosPrompt",
                                       "defrag", "Regedit", "Scandisk", "Dialer", "Winfile", "Progman", "Imaging",
                                       files[0].toStdString(), files[2].toStdString()}));
    }

    void dragsAreTakenAsCopies_data() {
        QTest::addColumn<bool>("onList");
        QTest::addColumn<Qt::DropActions>("offered");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("list(), copy or move") << true << Qt::DropActions(Qt::CopyAction | Qt::MoveAction) << true;
        QTest::newRow("window, copy or move") << false << Qt::DropActions(Qt::CopyAction | Qt::MoveAction) << true;
        QTest::newRow("window, move only") << false << Qt::DropActions(Qt::MoveAction) << false;
    }

    void dragsAreTakenAsCopies() {
        QFETCH(bool, onList);
        QFETCH(Qt::DropActions, offered);
        QFETCH(bool, accepted);
        QMimeData mime;
        mime.setText("any data at all");
        QWidget* target = onList ? list()->viewport() : static_cast<QWidget*>(&launcher->window);
        QDragEnterEvent enter(QPoint(20, 20), offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        if (accepted) {
            QCOMPARE(enter.dropAction(), Qt::CopyAction);
        }
    }

    void droppedTextIsIgnored() {
        list()->setFocus();
        QMimeData mime;
        mime.setText("/usr/bin/xterm");
        QVERIFY(dragAndDrop(list()->viewport(), QPoint(20, 20), mime, Qt::CopyAction).accepted);
        QCoreApplication::processEvents();
        QVERIFY(launcher->platform.modals.empty());
        QCOMPARE(list()->count(), 15);
        QVERIFY(!std::filesystem::exists(launcher->folderPath("SIS")));
        // The drop gives the window the focus, which leaves it on the control in view that has it.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list()));
    }

    void onlyLocalFilesCount_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("hasFiles");
        QTest::addColumn<QByteArrayList>("paths");
        const QUrl local = QUrl::fromLocalFile("/srv/a b/c.txt");
        QTest::newRow("local file") << QList<QUrl>{local} << true << QByteArrayList{"/srv/a b/c.txt"};
        QTest::newRow("web page") << QList<QUrl>{QUrl("https://example.org/x.exe")} << false << QByteArrayList{};
        QTest::newRow("other host") << QList<QUrl>{QUrl("file://server/share/x.exe")} << false << QByteArrayList{};
        QTest::newRow("mixed") << QList<QUrl>{QUrl("https://example.org/"), local, QUrl("file://localhost/tmp/y")}
                               << true << QByteArrayList{"/srv/a b/c.txt", "/tmp/y"};
        QTest::newRow("name not in UTF-8") << QList<QUrl>{QUrl::fromEncoded("file:///tmp/%95%5C%83e.txt")} << true
                                           << QByteArrayList{"/tmp/\x95\x5C\x83"
                                                             "e.txt"};
        QTest::newRow("Japanese in UTF-8") << QList<QUrl>{QUrl::fromLocalFile("/tmp/予定.txt")} << true
                                           << QByteArrayList{QString("/tmp/予定.txt").toUtf8()};
    }

    void onlyLocalFilesCount() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, hasFiles);
        QFETCH(QByteArrayList, paths);
        QMimeData mime;
        mime.setUrls(urls);
        const hopwick::DataObject data = hopwick::dataObjectFrom(mime);
        QCOMPARE(data.GetFormat(hopwick::kFormatFiles), hasFiles);
        QCOMPARE(data.FilesCount(), int(paths.size()));
        for (int i = 0; i < paths.size(); ++i) {
            QCOMPARE(QByteArray::fromStdString(data.FilesItem(i + 1)), paths[i]);
        }
    }

private:
    QListWidget* list() const { return launcher->find<QListWidget>("List1"); }
    struct Drop {
        bool accepted;
        Qt::DropAction action;
    };

    // Enter, move and drop, as a drag from another program arrives; Qt delivers a drop only to the widget
    // that accepted the enter.
    static Drop dragAndDrop(QWidget* target, QPoint at, const QMimeData& mime, Qt::DropActions offered) {
        QDragEnterEvent enter(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) {
            return {false, Qt::IgnoreAction};
        }
        QDragMoveEvent move(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return {drop.isAccepted(), drop.dropAction()};
    }

    QStringList makeFiles(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names) {
            paths << launcher->folder.filePath(name);
            launcher->writeFile(name.toStdString(), "x");
        }
        return paths;
    }
};

QTEST_MAIN(TestDrops)
#include "drop_test.moc"
