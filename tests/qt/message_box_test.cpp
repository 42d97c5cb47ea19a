#include "test_platform.h"

#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

using hopwick::testing::cancel;
using hopwick::testing::press;
using hopwick::testing::TestPlatform;

namespace {

struct BoxLook {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::Information;
    Qt::TextFormat format = Qt::AutoText;
};

} // namespace

// The message boxes: buttons by style, answers, the default title and the prompt shown as plain text.
class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void init() { platform = std::make_unique<TestPlatform>(QDir::tempPath().toStdString()); }
    void cleanup() { QCOMPARE(platform->unanswered, 0); }

    void answers_data() {
        QTest::addColumn<hopwick::MessageStyle>("style");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<hopwick::MessageAnswer>("answer");
        QTest::newRow("ok box") << hopwick::MessageStyle::Ok << int(QMessageBox::Ok) << hopwick::MessageAnswer::Ok;
        QTest::newRow("yes") << hopwick::MessageStyle::YesNo << int(QMessageBox::Yes) << hopwick::MessageAnswer::Yes;
        QTest::newRow("no") << hopwick::MessageStyle::YesNo << int(QMessageBox::No) << hopwick::MessageAnswer::No;
    }

    void answers() {
        QFETCH(hopwick::MessageStyle, style);
        QFETCH(int, pressed);
        QFETCH(hopwick::MessageAnswer, answer);
        platform->answers.push_back(press(pressed));
        QCOMPARE(platform->messageBox("prompt", style, "title"), answer);
    }

    // Escape and the close button give no answer at all, which the caller tells apart from No.
    void closingAYesNoBoxIsNoAnswer_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("escape") << true;
        QTest::newRow("close button") << false;
    }

    void closingAYesNoBoxIsNoAnswer() {
        QFETCH(bool, byEscape);
        bool closed = false;
        platform->answers.push_back([byEscape, &closed](QDialog& dialog) {
            dialog.show();
            if (byEscape) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else {
                dialog.close();
            }
            closed = !dialog.isVisible();
            return dialog.result();
        });
        QCOMPARE(platform->messageBox("prompt", hopwick::MessageStyle::YesNo, "title"), hopwick::MessageAnswer::Cancel);
        QVERIFY(closed);
        platform->answers.push_back(cancel());
        QCOMPARE(platform->messageBox("prompt", hopwick::MessageStyle::YesNo, "title"), hopwick::MessageAnswer::Cancel);
    }

    void escapeClosesAnOkBoxWithOk() {
        platform->answers.push_back([](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return dialog.result();
        });
        QCOMPARE(platform->messageBox("prompt", hopwick::MessageStyle::Ok, "title"), hopwick::MessageAnswer::Ok);
    }

    void buttonsByStyle() {
        QCOMPARE(lookOf(hopwick::MessageStyle::Ok).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const BoxLook yesNo = lookOf(hopwick::MessageStyle::YesNo);
        QCOMPARE(yesNo.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(yesNo.defaultButton, QMessageBox::Yes);
        QCOMPARE(yesNo.icon, QMessageBox::NoIcon);
    }

    void anEmptyTitleShowsTheApplicationsTitle() {
        platform->answers.push_back(press(QMessageBox::Ok));
        platform->messageBox("prompt", hopwick::MessageStyle::Ok, "");
        QCOMPARE(platform->modals.at(0).title, QString("Hopwick"));
    }

    // Prompts carry paths, which may look like markup.
    void thePromptIsPlainTextWithLineBreaks() {
        QCOMPARE(lookOf(hopwick::MessageStyle::Ok, "/tmp/<b>x</b>\r\nsecond line").format, Qt::PlainText);
        QCOMPARE(platform->modals.at(0).text, QString("/tmp/<b>x</b>\nsecond line"));
    }

    // Like a Windows box, a box is wide enough for its whole title, the instruction it carries, and the title
    // bar's icon and buttons beside it; a box with a short title stays as wide as its prompt.
    void theBoxShowsItsWholeTitle_data() {
        QTest::addColumn<hopwick::MessageStyle>("style");
        QTest::newRow("ok box") << hopwick::MessageStyle::Ok;
        QTest::newRow("yes and no") << hopwick::MessageStyle::YesNo;
    }

    void theBoxShowsItsWholeTitle() {
        QFETCH(hopwick::MessageStyle, style);
        const std::string prompt = "ﾃｷｽﾄ が空です。";
        const QString title = "ﾊﾟｽ を入力して下さい。";
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title);
        const int wide = shownWidth(prompt, style, title.toStdString());
        const int narrow = shownWidth(prompt, style, "A");
        QVERIFY2(wide >= titleWidth + 4 * 24, qPrintable(QString("%1 for a title of %2").arg(wide).arg(titleWidth)));
        QVERIFY2(narrow < wide, qPrintable(QString("%1 and %2").arg(narrow).arg(wide)));
        // A prompt wider than the title keeps the box as wide as the prompt.
        const std::string longPrompt(400, 'x');
        QVERIFY(shownWidth(longPrompt, style, title.toStdString()) > wide);
    }

private:
    int shownWidth(const std::string& prompt, hopwick::MessageStyle style, const std::string& title) {
        int width = 0;
        platform->answers.push_back([&width](QDialog& dialog) {
            dialog.show(); // the box sets its size as it shows
            width = dialog.width();
            return cancel()(dialog);
        });
        platform->messageBox(prompt, style, title);
        return width;
    }

    BoxLook lookOf(hopwick::MessageStyle style, const std::string& prompt = "prompt") {
        BoxLook look;
        platform->answers.push_back([&look](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            QMessageBox::StandardButtons shown;
            for (QAbstractButton* button : box.buttons()) {
                shown |= button->isHidden() ? QMessageBox::NoButton : box.standardButton(button);
            }
            look = {shown, box.standardButton(box.defaultButton()), box.icon(), box.textFormat()};
            return cancel()(dialog);
        });
        platform->messageBox(prompt, style, "title");
        return look;
    }

    std::unique_ptr<TestPlatform> platform;
};

QTEST_MAIN(TestMessageBox)
#include "message_box_test.moc"
