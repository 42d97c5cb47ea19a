#include "app/main_form.h"
#include "main_window.h"
#include "qt_platform.h"

#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>
#include <QtWidgets/QApplication>

namespace {

// After QApplication has taken its own options out of argv.
std::string joinArguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hopwick"));
    // The launcher speaks Japanese whatever the locale, so Qt's own buttons ("Yes", "Open") do too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    hopwick::QtPlatform platform(joinArguments(argc, argv));
    hopwick::MainForm form(platform);
    hopwick::MainWindow window(form);
    platform.attach(window);
    form.Form_Load(); // opens a command-line path and loads the store before the window shows
    window.show();
    return QApplication::exec();
}
