#include "launcher_test_case.h"
#include "platform/qt/control_widgets.h"

#include "app/control_table.h"
#include "app/texts.h"

#include <QtCore/QFile>
#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <QtCore/QTranslator>
#include <QtGui/QRawFont>
#include <QtTest/QtTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QToolTip>

using hopwick::testing::LauncherTestCase;

namespace {

// What keeps `font` from drawing every character of `text` itself: a font other than the IPA fonts, or
// characters that its file lacks, which Qt would take from some other font or draw as empty boxes. Empty when
// nothing does.
QString coverageProblem(const QFont& font, const QString& text) {
    const QRawFont primary = QRawFont::fromFont(font);
    if (!primary.familyName().startsWith(QStringLiteral("IPA"))) {
        return QStringLiteral("drawn in %1, not an IPA font: \"%2\"").arg(primary.familyName(), text);
    }
    const QFontMetrics metrics(font);
    QString missing;
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\r' || c == U'\n') {
            continue; // line breaks, not drawn
        }
        if (!primary.supportsCharacter(c) || !metrics.inFontUcs4(c)) {
            missing += QString::fromUcs4(&c, 1);
        }
    }
    if (missing.isEmpty()) {
        return {};
    }
    return QStringLiteral("%1 lacks \"%2\" of \"%3\"").arg(primary.familyName(), missing, text);
}

// Every text of texts.h by its name, read from the header itself so that a text added later is checked too.
QList<std::pair<QString, QString>> headerTexts() {
    QFile header(QStringLiteral(HOPWICK_TEXTS_HEADER));
    if (!header.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString source = QString::fromUtf8(header.readAll());
    static const QRegularExpression definition(R"re(const char\* (k\w+) = "((?:[^"\\]|\\.)*)";)re");
    QList<std::pair<QString, QString>> found;
    for (const QRegularExpressionMatch& match : definition.globalMatch(source)) {
        QString text = match.captured(2);
        text.replace(QStringLiteral("\\r"), QStringLiteral("\r"))
            .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(QStringLiteral("\\\""), QStringLiteral("\""));
        found.append({match.captured(1), text});
    }
    return found;
}

QWidget* shownToolTip() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace

// No empty boxes: every character of every caption, tooltip and message comes from the IPA font that draws it.
class TestGlyphCoverage : public LauncherTestCase {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Qt's own buttons in Japanese, as the program shows them.
        if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QApplication::installTranslator(&qtTexts);
        }
    }

    void theHeaderIsReadAsCompiled() {
        const QList<std::pair<QString, QString>> texts = headerTexts();
        QVERIFY(texts.size() >= 20);
        QVERIFY(texts.contains({"kSetupLabelCaption", QString::fromUtf8(hopwick::texts::kSetupLabelCaption)}));
        QVERIFY(texts.contains({"kQuoteInPathPrompt", QString::fromUtf8(hopwick::texts::kQuoteInPathPrompt)}));
    }

    void controlCaptions_data() { controlRows(false); }
    void controlCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget* control = launcher->window.findChild<QWidget*>(name);
        QVERIFY(control);
        const QString problem = coverageProblem(control->font(), text);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void setupLabelInBothWeights() {
        auto* label = launcher->find<QLabel>("Label2");
        const QString caption = QString::fromUtf8(hopwick::texts::kSetupLabelCaption);
        const QString regular = coverageProblem(label->font(), caption);
        QVERIFY2(regular.isEmpty(), qPrintable(regular));
        launcher->form.Label2_Click();
        QVERIFY(label->font().bold());
        const QString bold = coverageProblem(label->font(), caption);
        QVERIFY2(bold.isEmpty(), qPrintable(bold));
    }

    // The window manager draws the caption in its own font; anywhere Qt shows it, the application's font does.
    void setupCaption() {
        launcher->form.Label2_Click();
        QCOMPARE(launcher->window.windowTitle(), QString::fromUtf8(hopwick::texts::kSetupCaption));
        const QString problem = coverageProblem(QApplication::font(), launcher->window.windowTitle());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void toolTips_data() { controlRows(true); }
    void toolTips() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget* control = launcher->window.findChild<QWidget*>(name);
        QToolTip::showText(control->mapToGlobal(QPoint(2, 2)), control->toolTip(), control);
        QWidget* tip = shownToolTip();
        QVERIFY(tip);
        const QString problem = coverageProblem(tip->font(), text);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QToolTip::hideText();
    }

    void messageBoxes_data() {
        QTest::addColumn<QString>("text");
        for (const auto& [name, text] : headerTexts()) {
            QTest::newRow(qPrintable(name)) << text;
        }
    }

    // Each text as a real box shows it, as prompt and as title, with the box's own buttons.
    void messageBoxes() {
        QFETCH(QString, text);
        for (const hopwick::MessageStyle style : {hopwick::MessageStyle::Ok, hopwick::MessageStyle::YesNo}) {
            QStringList problems;
            bool shown = false;
            launcher->platform.answers.push_back([&](QDialog& dialog) {
                auto& box = static_cast<QMessageBox&>(dialog);
                if (const auto* prompt = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                    problems << coverageProblem(prompt->font(), prompt->text());
                    shown = prompt->text() == hopwick::displayText(text.toStdString());
                }
                problems << coverageProblem(box.font(), box.windowTitle());
                for (QAbstractButton* button : box.buttons()) {
                    problems << coverageProblem(button->font(), hopwick::plainCaption(button->text()));
                }
                box.reject();
                return box.result();
            });
            launcher->platform.messageBox(text.toStdString(), style, text.toStdString());
            QVERIFY(shown);
            problems.removeAll(QString());
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        }
    }

private:
    void controlRows(bool toolTips) {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        for (const hopwick::ControlSpec& spec : hopwick::controlTable()) {
            const std::string_view text = toolTips ? spec.tooltip : spec.caption;
            if (!text.empty()) {
                const QString shown =
                    hopwick::plainCaption(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
                const QByteArray name(spec.name.data(), static_cast<qsizetype>(spec.name.size()));
                QTest::newRow(name.constData()) << QString::fromUtf8(name) << shown;
            }
        }
    }

    QTranslator qtTexts;
};

QTEST_MAIN(TestGlyphCoverage)
#include "glyph_coverage_test.moc"
