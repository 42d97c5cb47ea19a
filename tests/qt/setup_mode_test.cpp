#include "launcher_test_case.h"
#include "platform/posix/posix_support.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <cerrno>
#include <filesystem>
#include <sys/resource.h>

using hopwick::testing::Launcher;
using hopwick::testing::LauncherTestCase;
using hopwick::testing::press;

namespace {

const QString kSetupCaption = "ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ （ｾｯﾄｱｯﾌﾟが終了したら OK か Cancel をｸﾘｯｸして下さい。）";

} // namespace

// Real clicks on the setup label, OK and Cancel switch the window between its two modes.
class TestSetupMode : public LauncherTestCase {
    Q_OBJECT

private slots:

    void theSetupLabelEntersSetupMode() {
        clickLabel2();
        QCOMPARE(launcher->window.height(), 2865 / 15);
        QCOMPARE(launcher->window.windowTitle(), kSetupCaption);
        QVERIFY(launcher->find("Label2")->font().bold());
        QCOMPARE(okFace(), QColor(0xFF, 0xC0, 0xC0));
        QVERIFY(launcher->form.SetupMode);
        QTRY_COMPARE(QApplication::focusWidget(), launcher->find("Text1"));
    }

    void theOkButtonIsPaintedLightRedInSetupModeOnly() {
        const QColor before = paintedOkFace();
        QVERIFY2(qAbs(before.red() - before.green()) < 16, qPrintable(before.name()));
        clickLabel2();
        const QColor setup = paintedOkFace();
        QVERIFY2(setup.red() > setup.green() + 24 && setup.red() > setup.blue() + 24, qPrintable(setup.name()));
        clickButton("Command1");
        QCOMPARE(paintedOkFace(), before);
    }

    // The whole face inside the button's edge is the one colour, with no gradient of the widget style: without its
    // caption, every pixel of it.
    void theOkFaceIsSolidInSetupMode() {
        clickLabel2();
        auto* ok = launcher->find<QPushButton>("Command1");
        const QString caption = ok->text();
        ok->setText(QString());
        const QImage face = ok->grab().toImage();
        ok->setText(caption);
        const qreal scale = face.devicePixelRatio();
        const QRect inside = QRect(QPoint(), ok->size()).adjusted(2, 2, -3, -3);
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QColor pixel = face.pixelColor(qRound(x * scale), qRound(y * scale));
                QVERIFY2(pixel == QColor(0xFF, 0xC0, 0xC0),
                         qPrintable(QString("%1 at %2,%3").arg(pixel.name()).arg(x).arg(y)));
            }
        }
    }

    // The box names the store and says why in Japanese, as every text the window shows.
    void aFailedSaveSaysWhyInJapanese() {
        launcher->platform.answers.push_back(press(QMessageBox::Ok));
        clickLabel2();
        // A file-size limit smaller than the record: the system refuses the write itself.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit tiny{16, limit.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        clickButton("Command1");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        QCOMPARE(launcher->platform.modals.size(), std::size_t(1));
        QCOMPARE(launcher->platform.modals[0].title, QString("ｾｰﾌﾞ できません。"));
        const QStringList lines = launcher->platform.modals[0].text.split(u'\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString::fromStdString(launcher->folderPath("SIS")));
        QCOMPARE(lines[1], QString::fromStdString(hopwick::posix::errorText(EFBIG)));
        QVERIFY2(!lines[1].contains(QRegularExpression("[A-Za-z]")), qPrintable(lines[1]));
        QVERIFY(lines[1].endsWith(u'。'));
        QCOMPARE(lines[2], QString("ﾘｽﾄ は保存されていません。"));
    }

    void okLeavesAndSaves() {
        clickLabel2();
        clickButton("Command1");
        QCOMPARE(launcher->window.height(), 1755 / 15);
        QCOMPARE(launcher->window.windowTitle(), QString("Hopwick"));
        QVERIFY(!launcher->find("Label2")->font().bold());
        QCOMPARE(okFace(), normalButtonFace());
        QVERIFY(!launcher->form.SetupMode);
        QCOMPARE(launcher->readFile("SIS"),
                 Launcher::storeBytes({"NotePad", "Paint", "Explorer", "WordPad", "Calc", "Telnet", "FTP", "DosPrompt",
                                       "defrag", "Regedit", "Scandisk", "Dialer", "Winfile", "Progman", "Imaging"}));
    }

    void cancelLeavesAndReloads() {
        launcher->writeFile("SIS", Launcher::storeBytes({"/usr/bin/xterm", "/usr/bin/top"}));
        launcher->form.OpenF(); // the stored list
        clickLabel2();
        launcher->form.List1.AddItem("/opt/added");
        QCOMPARE(launcher->find<QListWidget>("List1")->count(), 3);
        clickButton("Command6");
        QCOMPARE(launcher->window.height(), 1755 / 15);
        QCOMPARE(launcher->window.windowTitle(), QString("Hopwick"));
        QCOMPARE(okFace(), normalButtonFace());
        auto* list = launcher->find<QListWidget>("List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QString("/usr/bin/top"));
    }

    void twoClicksOnTheLabelThenOkRestoreTheCaption() {
        clickLabel2();
        clickLabel2();
        QCOMPARE(launcher->window.windowTitle(), kSetupCaption);
        clickButton("Command1");
        QCOMPARE(launcher->window.windowTitle(), QString("Hopwick"));
    }

    void exitClosesTheWindow() {
        QTest::mouseClick(launcher->find("Label4"), Qt::LeftButton);
        QVERIFY(!launcher->window.isVisible());
        QVERIFY(!std::filesystem::exists(launcher->folderPath("SIS"))); // nothing saved on the way out
    }

private:
    QColor normalButtonFace() const { return launcher->window.palette().color(QPalette::Button); }
    void clickLabel2() const { QTest::mouseClick(launcher->find("Label2"), Qt::LeftButton); }
    void clickButton(const char* name) const { QTest::mouseClick(launcher->find(name), Qt::LeftButton); }
    QColor okFace() const { return launcher->find("Command1")->palette().color(QPalette::Button); }
    // A pixel of the face, away from the caption and the frame.
    QColor paintedOkFace() const {
        QWidget* ok = launcher->find("Command1");
        return ok->grab().toImage().pixelColor(4, ok->height() / 2);
    }
};

QTEST_MAIN(TestSetupMode)
#include "setup_mode_test.moc"
