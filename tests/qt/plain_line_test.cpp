#include "platform/qt/fonts.h"
#include "platform/qt/plain_line.h"

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtGui/QTextLayout>
#include <QtTest/QtTest>

using hopwick::PlainLine;

namespace {

// What paths and entries are made of: ASCII, kana of both widths, kanji, full-width forms, Greek and Cyrillic,
// and the NEC and IBM characters of code page 932.
QString everydayCharacters() {
    QString text;
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        if (c != u'^' && c != u'`') { // modifier symbols, which a font may compose with the letter before
            text += QChar(c);
        }
    }
    for (char16_t c = 0x3041; c <= 0x3096; ++c) {
        text += QChar(c);
    }
    for (char16_t c = 0x30A1; c <= 0x30FA; ++c) {
        text += QChar(c);
    }
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) { // with the half-width voiced sound marks
        text += QChar(c);
    }
    text += QStringLiteral("日本語の文章漢字利用者業務資料年度営業部会議録報告書定例議事配布最終版背景画像壁紙青空桜"
                           "東京都大阪府北海道沖縄県鉄道駅電話番号住所氏名生年月日ＡＢＣａｂｃ０１２！＃＄％（）＿"
                           "ΑΒΓαβγАБВабв①②Ⅰ㈱〜－￥¥‾　ー・「」");
    return text;
}

QFont sized(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

QFont listFont() {
    return hopwick::fontFor(hopwick::controlSpec(hopwick::ControlId::List1).font);
}

} // namespace

// The list lays its entries out from the font's own advance table where no shaper is needed; it must place
// every glyph exactly where Qt's shaper does, and leave everything else to the shaper.
class TestPlainLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { hopwick::installFonts(); }

    void laysOutAsTheShaperDoes_data() {
        QTest::addColumn<QFont>("font");
        const QFont proportional = hopwick::fontFor(hopwick::dialogFont());
        for (const int pixels : {12, 15, 18, 24}) { // 9 points on screens of 96, 120, 144 and 192 dots an inch
            QTest::addRow("list font, %d px", pixels) << sized(listFont(), pixels);
            QTest::addRow("proportional font, %d px", pixels) << sized(proportional, pixels);
        }
    }

    void laysOutAsTheShaperDoes() {
        QFETCH(QFont, font);
        const QString text = everydayCharacters();
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> shaped = layout.glyphRuns();
        QCOMPARE(shaped.size(), 1);

        const std::optional<QGlyphRun> plain = PlainLine(QRawFont::fromFont(font)).layOut(text, 1e6);
        QVERIFY(plain.has_value());
        QCOMPARE(plain->glyphIndexes(), shaped[0].glyphIndexes());
        const QList<QPointF> positions = plain->positions();
        const QList<QPointF> expected = shaped[0].positions();
        QCOMPARE(positions.size(), expected.size());
        for (qsizetype i = 0; i < positions.size(); ++i) {
            QCOMPARE(positions[i].x(), expected[i].x());
        }
    }

    void leavesToTheShaperWhatNeedsIt_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("combining mark") << QStringLiteral("Cafe\u0301");
        QTest::newRow("voiced sound mark that composes") << QStringLiteral("か\u3099");
        QTest::newRow("modifier symbol") << QStringLiteral("a^b");
        QTest::newRow("a character the font lacks") << QStringLiteral("/home/𠮷野家");
        QTest::newRow("Georgian") << QStringLiteral("/home/გამარჯობა");
        QTest::newRow("right to left") << QStringLiteral("/home/שלום");
        QTest::newRow("joining script") << QStringLiteral("/home/مرحبا");
        QTest::newRow("tab") << QStringLiteral("a\tb");
        QTest::newRow("zero-width joiner") << QStringLiteral("a\u200Db");
        QTest::newRow("variation selector") << QStringLiteral("葛\U000E0100");
    }

    void leavesToTheShaperWhatNeedsIt() {
        QFETCH(QString, text);
        QVERIFY(!PlainLine(QRawFont::fromFont(listFont())).layOut(text, 1e6).has_value());
    }

    // The list font's own file with one of its tables renamed, which is all the layout looks at.
    void leavesToTheShaperAFontWhoseTablesChangeTheLayout_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("positioning table") << QByteArray("vmtx") << QByteArray("GPOS");
        QTest::newRow("kerning table") << QByteArray("vmtx") << QByteArray("kern");
        QTest::newRow("ligatures on by default") << QByteArray("vert") << QByteArray("liga");
        QTest::newRow("local forms") << QByteArray("vert") << QByteArray("locl");
    }

    void leavesToTheShaperAFontWhoseTablesChangeTheLayout() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QProcess match;
        match.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{file}"), listFont().family()});
        QVERIFY(match.waitForFinished());
        QFile file(QString::fromLocal8Bit(match.readAllStandardOutput()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray original = file.readAll();
        QVERIFY(PlainLine(QRawFont(original, 12)).layOut(QStringLiteral("AVAV 利用者"), 1e6).has_value());

        QByteArray changed = original;
        QVERIFY(changed.count(from) >= 1);
        changed.replace(from, to);
        QVERIFY(!PlainLine(QRawFont(changed, 12)).layOut(QStringLiteral("AVAV 利用者"), 1e6).has_value());
    }

    void stopsJustPastTheEdge() {
        const PlainLine line(QRawFont::fromFont(sized(listFont(), 12)));
        const QString text = QStringLiteral("利用者").repeated(40);
        const std::optional<QGlyphRun> run = line.layOut(text, 120);
        QVERIFY(run.has_value());
        QVERIFY(run->positions().last().x() >= 120);   // the glyphs reach the edge
        QVERIFY(run->glyphIndexes().size() <= 10 + 3); // and no more than a few beyond it
        QCOMPARE(line.layOut(QStringLiteral("NotePad"), 120)->glyphIndexes().size(), 7);
        QVERIFY(line.layOut(QString(), 120)->glyphIndexes().isEmpty());
    }
};

QTEST_MAIN(TestPlainLine)
#include "plain_line_test.moc"
