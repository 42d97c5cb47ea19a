#include "launcher.h"

#include <QtTest/QtTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

using hopwick::testing::Launcher;

// What each control says: caption, tooltip and the accessible texts (name and description), compared with the texts of
// the design.
class TestControlTexts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(launcher.start()); }

    void texts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("description"); // the tooltip, or the control's own where it has none
        QTest::newRow("List1") << "List1" << QString("") << QString("ﾄﾞﾛｯﾌﾟ可能です。ｸﾘｯｸするとｱﾌﾟﾘｹｰｼｮﾝが起動します。")
                               << QString("ｱｲﾃﾑ ﾘｽﾄ") << QString("ﾄﾞﾛｯﾌﾟ可能です。ｸﾘｯｸするとｱﾌﾟﾘｹｰｼｮﾝが起動します。");
        QTest::newRow("Text1") << "Text1" << QString("") << QString("") << QString("パスの入力：") << QString("");
        QTest::newRow("Command20") << "Command20" << QString("(&A)追加") << QString("ﾘｽﾄ へ追加します。")
                                   << QString("追加") << QString("ﾘｽﾄ へ追加します。");
        QTest::newRow("Command1") << "Command1" << QString("OK") << QString("ｾｰﾌﾞ してｾｯﾄｱｯﾌﾟ終了。") << QString("OK")
                                  << QString("ｾｰﾌﾞ してｾｯﾄｱｯﾌﾟ終了。");
        QTest::newRow("Command3") << "Command3" << QString("(&C)ｱｲﾃﾑ選択") << QString("") << QString("ｱｲﾃﾑ選択")
                                  << QString("ﾌｧｲﾙ を選んで ﾊﾟｽ に入れます。");
        QTest::newRow("Command5") << "Command5" << QString("(&I)初期化") << QString("ﾃﾞﾌｫﾙﾄｱｲﾃﾑ に戻します。")
                                  << QString("初期化") << QString("ﾃﾞﾌｫﾙﾄｱｲﾃﾑ に戻します。");
        QTest::newRow("Command2") << "Command2" << QString("(&D)ｱｲﾃﾑ削除") << QString("") << QString("ｱｲﾃﾑ削除")
                                  << QString("選択した ｱｲﾃﾑ を ﾘｽﾄ から削除します。");
        QTest::newRow("Label4") << "Label4" << QString("Exit") << QString("ｱﾌﾟﾘｹｰｼｮﾝの終了。") << QString("Exit")
                                << QString("ｱﾌﾟﾘｹｰｼｮﾝの終了。");
        QTest::newRow("Label1") << "Label1" << QString("パスの入力：") << QString("") << QString("パスの入力：")
                                << QString("");
        QTest::newRow("Label2") << "Label2" << QString("他のｱﾌﾟﾘ /\nｵﾌﾟｼｮﾝ:")
                                << QString("ｸﾘｯｸ したら ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ へ行きます。(F2)") << QString("他のｱﾌﾟﾘ / ｵﾌﾟｼｮﾝ:")
                                << QString("ｸﾘｯｸ したら ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ へ行きます。(F2)");
        QTest::newRow("Command4") << "Command4" << QString("(&P)画像") << QString("背景画を選びます。")
                                  << QString("画像") << QString("背景画を選びます。");
        QTest::newRow("Command7") << "Command7" << QString("(&E)画像削除") << QString("") << QString("画像削除")
                                  << QString("背景画を取り除きます。");
        QTest::newRow("Label3") << "Label3" << QString("Help!") << QString("Wick へ ﾒｰﾙ を出します。(F1)")
                                << QString("Help!") << QString("Wick へ ﾒｰﾙ を出します。(F1)");
        QTest::newRow("Command6") << "Command6" << QString("Cancel") << QString("ｾｰﾌﾞ しないで ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ 終了。")
                                  << QString("Cancel") << QString("ｾｰﾌﾞ しないで ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ 終了。");
        QTest::newRow("Command8") << "Command8" << QString("↑") << QString("") << QString("↑")
                                  << QString("選択した ｱｲﾃﾑ を 1 つ上へ移動します。");
        QTest::newRow("Command9") << "Command9" << QString("↓") << QString("") << QString("↓")
                                  << QString("選択した ｱｲﾃﾑ を 1 つ下へ移動します。");
    }

    void texts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QFETCH(QString, accessibleName);
        QFETCH(QString, description);
        QWidget* control = launcher.window.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(shownCaption(*control), caption);
        QCOMPARE(control->toolTip(), tooltip);
        QCOMPARE(control->accessibleName(), accessibleName);
        QCOMPARE(control->accessibleDescription(), description);
    }

    void windowCaptionAfterStartUp() { QCOMPARE(launcher.window.windowTitle(), QString("Hopwick")); }

    void theWindowHasItsIcon() {
        const QIcon icon = launcher.window.windowIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(48, 48)});
    }

    void textBoxStartsEmptyWithoutLengthLimit() {
        auto* text = launcher.find<QLineEdit>("Text1");
        QVERIFY(text->text().isEmpty());
        const QString longPath = "/" + QString(40000, u'a');
        text->setText(longPath);
        QCOMPARE(text->text(), longPath);
    }

private:
    static QString shownCaption(const QWidget& control) {
        if (auto* button = qobject_cast<const QAbstractButton*>(&control)) {
            return button->text();
        }
        if (auto* label = qobject_cast<const QLabel*>(&control)) {
            return label->text();
        }
        return {}; // the list and the text box have no caption
    }

    Launcher launcher;
};

QTEST_MAIN(TestControlTexts)
#include "control_texts_test.moc"
