#include "platform/qt/plain_bitmap.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>
#include <QtTest/QtTest>

#include <algorithm>
#include <cstdint>
#include <string>

using hopwick::plainBitmap;

namespace {

struct BitmapSpec {
    std::int32_t width = 5;
    std::int32_t height = 4; // negative: rows from the top down
    std::uint32_t headerBytes = 40;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t gap = 0;     // bytes between the headers and the pixels
    bool noOffset = false;     // the file header names no offset of the pixels
    std::int64_t cutBytes = 0; // bytes missing from the end
};

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A bitmap file with pixels that differ in every channel, row padding included; of a huge image, only its
// first megabyte of pixels.
std::string bitmapFile(const BitmapSpec& spec) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(spec.width) * spec.bitCount + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(spec.height < 0 ? -std::int64_t{spec.height} : spec.height);
    const std::uint64_t pixelBytes = std::min<std::uint64_t>(rowBytes * rows, 1 << 20);
    const auto pixelsAt = static_cast<std::uint32_t>(14 + spec.headerBytes + spec.gap);
    std::string file = "BM";
    put(file, static_cast<std::uint32_t>(pixelsAt + rowBytes * rows), 4);
    put(file, 0, 4);
    put(file, spec.noOffset ? 0 : pixelsAt, 4);
    put(file, spec.headerBytes, 4);
    put(file, static_cast<std::uint32_t>(spec.width), 4);
    put(file, static_cast<std::uint32_t>(spec.height), 4);
    put(file, 1, 2);
    put(file, spec.bitCount, 2);
    put(file, spec.compression, 4);
    put(file, static_cast<std::uint32_t>(rowBytes * rows), 4);
    put(file, 3780, 4);
    put(file, 3780, 4);
    put(file, 0, 4);
    put(file, 0, 4);
    file.resize(pixelsAt, '\0');
    for (std::uint64_t i = 0; i < pixelBytes; ++i) {
        file += static_cast<char>((i * 37 + 11) & 0xFF);
    }
    file.resize(static_cast<std::size_t>(static_cast<std::int64_t>(file.size()) - spec.cutBytes));
    return file;
}

QImage readByQt(const std::string& file) {
    QByteArray bytes(file.data(), static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    return QImageReader(&buffer, "bmp").read();
}

} // namespace

Q_DECLARE_METATYPE(BitmapSpec)

// Background pictures in the usual bitmap kind are read without the image reader; the picture must be the one
// the reader gives, and every other kind is left to the reader.
class TestPlainBitmap : public QObject {
    Q_OBJECT

private slots:
    void readsAsTheImageReaderDoes_data() {
        QTest::addColumn<BitmapSpec>("spec");
        QTest::newRow("one pixel") << BitmapSpec{.width = 1, .height = 1};
        QTest::newRow("rows padded by one byte") << BitmapSpec{.width = 3, .height = 2};
        QTest::newRow("rows padded by three bytes") << BitmapSpec{.width = 5, .height = 3};
        QTest::newRow("rows without padding") << BitmapSpec{.width = 4, .height = 3};
        QTest::newRow("from the top down") << BitmapSpec{.width = 5, .height = -3};
        QTest::newRow("the newest header") << BitmapSpec{.width = 5, .height = 3, .headerBytes = 124};
        QTest::newRow("a gap before the pixels") << BitmapSpec{.width = 5, .height = 3, .gap = 10};
        QTest::newRow("a window's background") << BitmapSpec{.width = 464, .height = 191};
    }

    void readsAsTheImageReaderDoes() {
        QFETCH(BitmapSpec, spec);
        const std::string file = bitmapFile(spec);
        const std::optional<QImage> image = plainBitmap(file);
        QVERIFY(image.has_value());
        const QImage expected = readByQt(file);
        QVERIFY(!expected.isNull());
        QCOMPARE(image->format(), expected.format());
        QCOMPARE(*image, expected);
    }

    void pixelsWithoutAnOffsetFollowTheHeader() {
        const std::optional<QImage> image = plainBitmap(bitmapFile({.noOffset = true}));
        QVERIFY(image.has_value());
        QCOMPARE(*image, readByQt(bitmapFile({})));
    }

    void leavesEveryOtherFileToTheReader_data() {
        QTest::addColumn<BitmapSpec>("spec");
        QTest::newRow("eight bits") << BitmapSpec{.bitCount = 8};
        QTest::newRow("32 bits") << BitmapSpec{.bitCount = 32};
        QTest::newRow("run-length coded") << BitmapSpec{.compression = 1};
        QTest::newRow("a byte of the pixels missing") << BitmapSpec{.cutBytes = 1};
        QTest::newRow("no width") << BitmapSpec{.width = 0};
        QTest::newRow("no height") << BitmapSpec{.height = 0};
        QTest::newRow("a header longer than the file") << BitmapSpec{.headerBytes = 4000, .cutBytes = 3900};
        QTest::newRow("the old short header") << BitmapSpec{.headerBytes = 12};
        QTest::newRow("a huge width") << BitmapSpec{.width = 0x7FFFFFFF, .height = 1};
        QTest::newRow("a huge height") << BitmapSpec{.width = 1, .height = 0x7FFFFFFF};
        QTest::newRow("the most negative height") << BitmapSpec{.width = 1, .height = INT32_MIN};
    }

    void leavesEveryOtherFileToTheReader() {
        QFETCH(BitmapSpec, spec);
        QVERIFY(!plainBitmap(bitmapFile(spec)).has_value());
    }

    void leavesOtherFormatsAndScrapsToTheReader() {
        QVERIFY(!plainBitmap("GIF89a").has_value());
        QVERIFY(!plainBitmap("BM").has_value());
        QVERIFY(!plainBitmap(bitmapFile({}).substr(0, 30)).has_value());
        std::string offsetPastTheEnd = bitmapFile({});
        offsetPastTheEnd[13] = '\x7F';
        QVERIFY(!plainBitmap(offsetPastTheEnd).has_value());
    }
};

QTEST_MAIN(TestPlainBitmap)
#include "plain_bitmap_test.moc"
