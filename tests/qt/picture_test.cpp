#include "launcher_test_case.h"

#include <QtGui/QImage>
#include <QtTest/QtTest>
#include <QtWidgets/QMessageBox>

using hopwick::testing::choose;
using hopwick::testing::Launcher;
using hopwick::testing::LauncherTestCase;
using hopwick::testing::press;

namespace {

// A 4 by 2 GIF of one colour, made with ImageMagick: Qt reads GIF but cannot write it.
const QByteArray kGif =
    QByteArray("\x47\x49\x46\x38\x39\x61\x04\x00\x02\x00\xf0\x00\x00\x0c\x88\x44\x00\x00\x00\x21\xf9\x04\x00\x00\x00"
               "\x00\x00\x2c\x00\x00\x00\x00\x04\x00\x02\x00\x00\x02\x03\x84\x6f\x05\x00\x3b",
               44);
const QColor kGifColour(0x0c, 0x88, 0x44);
const QColor kPictureColour(200, 40, 120);

} // namespace

// Loading .bmp, .ico and .gif pictures, and drawing the chosen one behind the controls at the top-left.
class TestPicture : public LauncherTestCase {
    Q_OBJECT

public:
    TestPicture() : LauncherTestCase(false) {}

private slots:

    void loadsEachFormat_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSize>("size");
        QTest::newRow("bitmap") << "bmp" << QSize(20, 10);
        QTest::newRow("icon") << "ico" << QSize(16, 16);
        QTest::newRow("gif") << "gif" << QSize(4, 2);
    }

    void loadsEachFormat() {
        QFETCH(QString, format);
        QFETCH(QSize, size);
        // Named .dat: the bytes tell the format, not the name.
        const std::string path = format == "gif" ? writeGif("picture.dat") : writeImage("picture.dat", size, format);
        const hopwick::PictureLoad load = launcher->platform.loadPicture(path);
        QVERIFY2(load.picture, load.error.c_str());
        QVERIFY(load.error.empty());
        QCOMPARE(QSize(load.picture->widthPixels(), load.picture->heightPixels()), size);
    }

    void anEmptyPathIsNoPictureAndNoError() {
        const hopwick::PictureLoad load = launcher->platform.loadPicture("");
        QVERIFY(!load.picture);
        QVERIFY(load.error.empty());
    }

    // The reasons are Japanese, as every text the window shows.
    void failuresSayWhy_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << qint64(0) << "ﾌｧｲﾙ がありません。";
        QTest::newRow("text") << QByteArray("just some text") << qint64(0)
                              << "画像の形式が違うか、ﾌｧｲﾙ が壊れています。";
        QTest::newRow("damaged bitmap") << QByteArray("BM\x10\0\0\0\0\0", 8) << qint64(0)
                                        << "画像の形式が違うか、ﾌｧｲﾙ が壊れています。";
        QTest::newRow("larger than any picture")
            << QByteArray("BM") << qint64(65) * 1024 * 1024 << "ﾌｧｲﾙ が大き過ぎて画像として読み込めません。";
    }

    void failuresSayWhy() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, reason);
        if (!bytes.isEmpty()) {
            launcher->writeFile("bad.bmp", bytes.toStdString());
        }
        if (size > 0) {
            QVERIFY(QFile::resize(launcher->folder.filePath("bad.bmp"), size)); // sparse: no disk is used
        }
        const hopwick::PictureLoad load = launcher->platform.loadPicture(launcher->folderPath("bad.bmp"));
        QVERIFY(!load.picture);
        QCOMPARE(QString::fromStdString(load.error), reason);
    }

    void aChosenPictureIsDrawnAtTheTopLeft() {
        QVERIFY(launcher->start());
        const QColor plain = pixel(3, 50);
        QTest::mouseClick(launcher->find("Label2"), Qt::LeftButton);
        launcher->platform.answers.push_back(choose(QString::fromStdString(writeImage("sky.bmp", {100, 120}, "bmp"))));
        QTest::mouseClick(launcher->find("Command4"), Qt::LeftButton);
        QCOMPARE(pixel(3, 50), kPictureColour);
        QCOMPARE(pixel(3, 150), plain); // below the picture: neither stretched nor repeated
        // The labels let the picture show through around their text.
        const QRect exit = launcher->find("Label4")->geometry();
        QCOMPARE(pixel(exit.left() + 1, exit.bottom() - 1), kPictureColour);
        QTest::mouseClick(launcher->find("Command7"), Qt::LeftButton);
        QCOMPARE(pixel(3, 50), plain);
    }

    void theStoredPictureIsShownAtStartUp() {
        launcher->writeFile("SIS", Launcher::storeBytes({"/usr/bin/xterm"}, writeGif("stored.gif")));
        QVERIFY(launcher->start());
        QCOMPARE(pixel(1, 1), kGifColour);
        QCOMPARE(pixel(5, 1), pixel(5, 60));
    }

    void aFileThatIsNoPictureKeepsTheShownOne() {
        QVERIFY(launcher->start());
        QTest::mouseClick(launcher->find("Label2"), Qt::LeftButton);
        launcher->platform.answers.push_back(choose(QString::fromStdString(writeImage("sky.bmp", {100, 120}, "bmp"))));
        QTest::mouseClick(launcher->find("Command4"), Qt::LeftButton);
        launcher->writeFile("notes.gif", "not a picture");
        launcher->platform.answers.push_back(choose(launcher->folder.filePath("notes.gif")));
        launcher->platform.answers.push_back(press(QMessageBox::Ok));
        QTest::mouseClick(launcher->find("Command4"), Qt::LeftButton);
        QCOMPARE(launcher->platform.modals.size(), std::size_t(3));
        QCOMPARE(pixel(3, 50), kPictureColour);
        QCOMPARE(launcher->form.PicturePath, launcher->folderPath("sky.bmp"));
    }

private:
    std::string writeImage(const std::string& name, QSize size, const QString& format) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kPictureColour);
        const std::string path = launcher->folderPath(name);
        if (!image.save(QString::fromStdString(path), format.toLatin1().constData())) {
            qWarning("could not write %s", path.c_str());
        }
        return path;
    }
    std::string writeGif(const std::string& name) const {
        launcher->writeFile(name, kGif.toStdString());
        return launcher->folderPath(name);
    }
    QColor pixel(int x, int y) const { return launcher->window.grab().toImage().pixelColor(x, y); }
};

QTEST_MAIN(TestPicture)
#include "picture_test.moc"
