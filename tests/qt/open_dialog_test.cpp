#include "launcher_test_case.h"
#include "platform/qt/name_filters.h"

#include <QtTest/QtTest>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListView>
#include <QtWidgets/QPushButton>

using hopwick::testing::cancel;
using hopwick::testing::choose;
using hopwick::testing::LauncherTestCase;

namespace {

const std::string kItemFilter = "EXE file (*.exe) |*.exe| All file (*.*) |*.*";
const std::string kPictureFilter = "Picture (*.bmp;*.ico;*.gif) | *.bmp;*.ico;*.gif";

struct DialogLook {
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptSave;
    QFileDialog::FileMode fileMode = QFileDialog::Directory;
    QString selectedFilter;
    QString directory;
    QStringList startFiles;
};

} // namespace

// The file-open dialog: its name filters, where it starts, and what a confirmed choice or a cancel gives.
class TestOpenDialog : public LauncherTestCase {
    Q_OBJECT

public:
    TestOpenDialog() : LauncherTestCase(false) {}

private slots:
    void init() {
        startDirectory = QDir::currentPath();
        LauncherTestCase::init();
    }
    // A confirmed choice moves the process's current folder; the next test starts where this one did.
    void cleanup() {
        LauncherTestCase::cleanup();
        QDir::setCurrent(startDirectory);
    }

    void filtersInQtsForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("initial");
        QTest::newRow("items") << QString::fromStdString(kItemFilter)
                               << QStringList({"EXE file (*.exe) (*.exe)", "All file (*.*) (*)"}) << 1;
        QTest::newRow("pictures") << QString::fromStdString(kPictureFilter)
                                  << QStringList({"Picture (*.bmp;*.ico;*.gif) (*.bmp *.ico *.gif)"}) << 0;
        QTest::newRow("none") << QString() << QStringList() << 0;
        QTest::newRow("pattern missing") << QString("Text |") << QStringList() << 0;
    }

    void filtersInQtsForm() {
        QFETCH(QString, filter);
        QFETCH(QStringList, filters);
        QFETCH(int, initial);
        const hopwick::NameFilters result = hopwick::nameFilters(filter.toStdString());
        QCOMPARE(result.filters, filters);
        QCOMPARE(result.initial, initial);
    }

    void theDialogStartsAtTheKeptName() {
        QDir(launcher->folder.path()).mkdir("tools");
        const QString kept = launcher->folder.filePath("tools/run.sh");
        DialogLook look;
        launcher->platform.answers.push_back([&look](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            look = {files.acceptMode(), files.fileMode(), files.selectedNameFilter(), files.directory().absolutePath(),
                    files.selectedFiles()};
            return cancel()(dialog);
        });
        const auto chosen = launcher->platform.showOpenDialog({4, kItemFilter, kept.toStdString()});
        QVERIFY(!chosen);
        QCOMPARE(look.acceptMode, QFileDialog::AcceptOpen);
        QCOMPARE(look.fileMode, QFileDialog::AnyFile);
        QCOMPARE(look.selectedFilter, QString("All file (*.*)")); // shown without the patterns that Qt adds
        QCOMPARE(look.directory, launcher->folder.filePath("tools"));
        QCOMPARE(look.startFiles, QStringList{kept});
        QCOMPARE(QDir::currentPath(), startDirectory); // a cancel leaves the current folder
    }

    // The kept name is shared with the item chooser and may name anything: it stands in the name box, but the list
    // shows only what the filter admits.
    void thePictureDialogListsPicturesOnly_data() {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("kept program") << "run.sh" << QStringList();
        QTest::newRow("kept picture") << "sky.bmp" << QStringList{"sky.bmp"};
        QTest::newRow("kept picture, upper case") << "SUN.GIF" << QStringList{"SUN.GIF"};
    }

    void thePictureDialogListsPicturesOnly() {
        QFETCH(QString, kept);
        QFETCH(QStringList, selected);
        for (const char* name : {"run.sh", "notes.txt", "sky.bmp", "SUN.GIF"}) {
            launcher->writeFile(name, "x");
        }
        QStringList listed;
        QStringList selectedRows;
        QString nameBox;
        bool openEnabled = false;
        launcher->platform.answers.push_back([&](QDialog& dialog) {
            dialog.show();
            auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
            // The folder is read on a thread: let every name arrive.
            if (!QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) > 0; })) {
                return cancel()(dialog); // nothing listed: the comparisons below fail
            }
            QTest::qWait(100);
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }
            for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
                selectedRows << index.data().toString();
            }
            nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            openEnabled = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->isEnabled();
            return cancel()(dialog);
        });
        launcher->platform.showOpenDialog({4, kPictureFilter, launcher->folderPath(kept.toStdString())});
        listed.sort();
        QCOMPARE(listed, QStringList({"SUN.GIF", "sky.bmp"}));
        QCOMPARE(nameBox, kept);
        QCOMPARE(selectedRows, selected);
        QVERIFY(openEnabled); // Enter takes the kept name
    }

    // The kept name in the box is taken as typed when the user confirms it.
    void aKeptNameOutsideTheFilterIsTakenWhenConfirmed() {
        launcher->writeFile("run.sh", "x");
        launcher->platform.answers.push_back([](QDialog& dialog) {
            dialog.accept();
            return dialog.result();
        });
        const auto chosen = launcher->platform.showOpenDialog({4, kPictureFilter, launcher->folderPath("run.sh")});
        QVERIFY(chosen);
        QCOMPARE(*chosen, launcher->folderPath("run.sh"));
    }

    void aConfirmedChoiceMovesTheCurrentFolder_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing file") << true;
        QTest::newRow("typed name that does not exist") << false;
    }

    void aConfirmedChoiceMovesTheCurrentFolder() {
        QFETCH(bool, exists);
        QDir(launcher->folder.path()).mkdir("pictures");
        const QString path = launcher->folder.filePath("pictures/sky.bmp");
        if (exists) {
            launcher->writeFile("pictures/sky.bmp", "BM");
        }
        launcher->platform.answers.push_back(choose(path));
        const auto chosen = launcher->platform.showOpenDialog({4, kPictureFilter, {}});
        QVERIFY(chosen);
        QCOMPARE(QString::fromStdString(*chosen), path);
        QCOMPARE(QDir::currentPath(), launcher->folder.filePath("pictures"));
    }

    void theChooseButtonFillsInThePath() {
        QVERIFY(launcher->start());
        QTest::mouseClick(launcher->find("Label2"), Qt::LeftButton);
        const QString path = launcher->folder.filePath("chosen.sh");
        launcher->writeFile("chosen.sh", "#!/bin/sh\n");
        launcher->platform.answers.push_back(choose(path));
        QTest::mouseClick(launcher->find("Command3"), Qt::LeftButton);
        QCOMPARE(launcher->find<QLineEdit>("Text1")->text(), path);
        QCOMPARE(launcher->platform.modals.at(0).filters,
                 QStringList({"EXE file (*.exe) (*.exe)", "All file (*.*) (*)"}));
        // A cancel brings back the name the dialog kept.
        launcher->find<QLineEdit>("Text1")->clear();
        launcher->platform.answers.push_back(cancel());
        QTest::mouseClick(launcher->find("Command3"), Qt::LeftButton);
        QCOMPARE(launcher->find<QLineEdit>("Text1")->text(), path);
    }

private:
    QString startDirectory;
};

QTEST_MAIN(TestOpenDialog)
#include "open_dialog_test.moc"
