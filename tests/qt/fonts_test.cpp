#include "launcher.h"

#include <QtCore/QProcess>
#include <QtTest/QtTest>
#include <QtWidgets/QToolTip>

using hopwick::testing::Launcher;

// The controls get the IPA fonts that Linux has for the Japanese Windows fonts of the design; the design's
// names lead there too.
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
        QCOMPARE(QFontInfo(QFont(family)).family(), installed);
        QCOMPARE(font.family(), installed);
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(QFontInfo(font).family(), installed);
    }

    void windowFont() {
        QCOMPARE(QFontInfo(QFont(QString("ＭＳ ゴシック"))).family(), QString("IPAGothic"));
        QCOMPARE(launcher.window.font().family(), QString("IPAGothic"));
        QCOMPARE(QFontInfo(launcher.window.font()).family(), QString("IPAGothic"));
    }

    // Message boxes, tooltips and Qt's own dialogs speak Japanese too.
    void dialogFont() {
        for (const QFont& font : {QApplication::font(), QApplication::font("QMessageBox"), QToolTip::font()}) {
            QCOMPARE(QFontInfo(font).family(), QString("IPAPGothic"));
            QCOMPARE(font.pointSizeF(), 9.0);
            QVERIFY(!font.bold());
        }
    }

    // The aliases name only the design's fonts: a generic family gets what the system's setup gives it.
    void otherFamiliesKeepTheSystemsChoice_data() {
        QTest::addColumn<QString>("family");
        QTest::newRow("sans-serif") << "sans-serif";
        QTest::newRow("serif") << "serif";
        QTest::newRow("monospace") << "monospace";
    }

    void otherFamiliesKeepTheSystemsChoice() {
        QFETCH(QString, family);
        QProcess match;
        match.start("fc-match", {"--format=%{family[0]}", family});
        QVERIFY(match.waitForFinished());
        const QString systemChoice = QString::fromUtf8(match.readAllStandardOutput());
        QVERIFY(!systemChoice.isEmpty());
        QCOMPARE(QFontInfo(QFont(family)).family(), systemChoice);
    }

    // The labels show the model's weight as it stands, starting from the design's.
    void labelWeightFollowsTheModel() {
        auto* exit = launcher.find("Label4");
        auto* setup = launcher.find("Label2");
        launcher.form.Label4.setFontBold(false);
        QVERIFY(!exit->font().bold());
        launcher.form.Label4.setFontBold(true);
        QVERIFY(exit->font().bold());
        launcher.form.Label2_Click();
        QVERIFY(setup->font().bold());
        launcher.form.Command6_Click();
        QVERIFY(!setup->font().bold());
        QCOMPARE(setup->font().pointSizeF(), 9.0);
    }

private:
    Launcher launcher;
};

QTEST_MAIN(TestFonts)
#include "fonts_test.moc"
