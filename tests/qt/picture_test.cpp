#include "launcher_test_case.h"
#include "platform/qt/qt_picture.h"

#include <QtGui/QImage>
#include <QtTest/QtTest>
#include <QtWidgets/QMessageBox>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

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

// The crafted and sound picture files of tests/data/pictures.
std::string pictureFile(const char* name) {
    return std::string(HOPWICK_TEST_PICTURES) + "/" + name;
}

// Leaves blocks of the size a small image's pixels take, filled with `byte`, for the next allocations to reuse:
// pixels a decoder never writes then hold that byte instead of whatever was there.
void dirtyTheHeap(unsigned char byte) {
    std::vector<void*> blocks(4096);
    for (void*& block : blocks) {
        block = std::malloc(64);
        std::memset(block, byte, 64);
    }
    for (void* block : blocks) {
        std::free(block);
    }
}

// The colour a crafted picture has at (x, y).
using Expected = std::function<QColor(int x, int y)>;

const QColor kRed(0xFF, 0, 0);
const QColor kGreen(0, 0xFF, 0);
const QColor kBlue(0, 0, 0xFF);
const QColor kBlack(0, 0, 0);

// 16 by 4 pixels of 8 bits whose colour table holds green alone: every fifth pixel names it, the others name
// colours 1 to 255, which are black.
QColor paletteOfOneColour(int x, int y) {
    const int i = (3 - y) * 16 + x; // rows from the bottom up
    return i % 5 == 0 ? kGreen : kBlack;
}

// 8 by 8 pixels coded in runs: three of colour 1 (blue) at the bottom left, then a jump out of the image. The
// pixels never written have the first colour (red).
QColor runsThatJumpOut(int x, int y) {
    return y == 7 && x < 3 ? kBlue : kRed;
}

} // namespace

Q_DECLARE_METATYPE(Expected)

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
        QTest::newRow("16000 by 16000 pixels in 64 bytes")
            << readPicture("rle8-huge.bmp") << qint64(0) << "画像が大き過ぎて表示できません。";
        QTest::newRow("a GIF of 65535 by 65535 pixels")
            << readPicture("gif-huge.gif") << qint64(0) << "画像が大き過ぎて表示できません。";
        QTest::newRow("an icon that claims 65535 entries")
            << readPicture("icon-65535-entries.ico") << qint64(0) << "画像の形式が違うか、ﾌｧｲﾙ が壊れています。";
        // Only the kinds that the dialog offers: no other image reader sees the bytes.
        QTest::newRow("a PNG") << pngFile() << qint64(0) << "画像の形式が違うか、ﾌｧｲﾙ が壊れています。";
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

    // Pixels that name colours beyond the table, and pixels that the decoder never writes: the window paints a
    // 32-bit picture whose every pixel is defined, the same whatever the memory held before.
    void craftedPicturesArePaintedFromDefinedPixels_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Expected>("expected");
        QTest::newRow("a colour table of one colour")
            << "palette-one-entry.bmp" << QSize(16, 4) << Expected(paletteOfOneColour);
        QTest::newRow("8-bit runs that jump out") << "rle8-delta-out.bmp" << QSize(8, 8) << Expected(runsThatJumpOut);
        QTest::newRow("4-bit runs that jump out") << "rle4-delta-out.bmp" << QSize(8, 8) << Expected(runsThatJumpOut);
    }

    void craftedPicturesArePaintedFromDefinedPixels() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(Expected, expected);
        for (const unsigned char leftover : {0x01, 0xAB}) {
            dirtyTheHeap(leftover);
            const hopwick::PictureLoad load = launcher->platform.loadPicture(pictureFile(qPrintable(file)));
            QVERIFY2(load.picture, load.error.c_str());
            const QImage& image = dynamic_cast<const hopwick::QtPicture&>(*load.picture).image();
            QCOMPARE(image.size(), size);
            QCOMPARE(image.depth(), 32);
            QVERIFY(image.colorTable().isEmpty());
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    QCOMPARE(image.pixelColor(x, y), expected(x, y));
                }
            }
        }
        // As the window paints it at start-up.
        launcher->writeFile("SIS", Launcher::storeBytes({"/usr/bin/xterm"}, pictureFile(qPrintable(file))));
        QVERIFY(launcher->start());
        const QImage shot = launcher->window.grab().toImage();
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                QCOMPARE(shot.pixelColor(x, y), expected(x, y));
            }
        }
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
    static QByteArray readPicture(const char* name) {
        QFile file(QString::fromStdString(pictureFile(name)));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("could not read %s", name);
        }
        return file.readAll();
    }
    static QByteArray pngFile() {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(kPictureColour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "png");
        return bytes;
    }
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
