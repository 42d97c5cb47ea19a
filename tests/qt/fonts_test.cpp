#include "launcher.h"

#include <QtTest/QtTest>

using hopwick::testing::Launcher;

// The controls ask for the Japanese Windows fonts of the design, and get the IPA fonts that Linux has.
class TestFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(launcher.start()); }

    void controlFonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("List1") << "List1" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Text1") << "Text1" << QString("ＭＳ Ｐゴシック") << "IPAPGothic" << 9.0 << false;
        QTest::newRow("Command20") << "Command20" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << true;
        QTest::newRow("Command1") << "Command1" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << true;
        QTest::newRow("Command3") << "Command3" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Command5") << "Command5" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Command2") << "Command2" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Label4") << "Label4" << QString("ＭＳ ゴシック") << "IPAGothic" << 11.25 << true;
        QTest::newRow("Label1") << "Label1" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << true;
        QTest::newRow("Label2") << "Label2" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Command4") << "Command4" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Command7") << "Command7" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Label3") << "Label3" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.75 << false;
        QTest::newRow("Command6") << "Command6" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Command8") << "Command8" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
        QTest::newRow("Command9") << "Command9" << QString("ＭＳ ゴシック") << "IPAGothic" << 9.0 << false;
    }

    void controlFonts() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(QString, installed);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QWidget* control = launcher.window.findChild<QWidget*>(name);
        QVERIFY(control);
        const QFont& font = control->font();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(QFontInfo(font).family(), installed);
    }

    void windowFont() {
        QCOMPARE(launcher.window.font().family(), QString("ＭＳ ゴシック"));
        QCOMPARE(QFontInfo(launcher.window.font()).family(), QString("IPAGothic"));
    }

    // Without a Japanese font the characters would come out as empty boxes.
    void japaneseCharactersHaveGlyphs() {
        const QFontMetrics metrics(launcher.find("Label1")->font());
        for (const QChar c : QString("パスの入力：ｱﾌﾟﾘ")) {
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
        }
    }

private:
    Launcher launcher;
};

QTEST_MAIN(TestFonts)
#include "fonts_test.moc"
