#include "launcher_app.h"

#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>

namespace hopwick {

namespace {

// Every argument after the program's name, as the user gave it.
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

LauncherApp::LauncherApp(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("Hopwick"));
    // The launcher speaks Japanese whatever the locale, so Qt's own buttons ("Yes", "Open") do too.
    if (qtTexts_.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts_);
    }
    platform_ = std::make_unique<QtPlatform>(system_);
    form_ = std::make_unique<MainForm>(Platform{system_, *platform_, *platform_});
    window_ = std::make_unique<MainWindow>(*form_);
    platform_->attach(*window_);
    // Opens a command-line path and loads the store before the window shows.
    form_->Form_Load(joinArguments(argc, argv));
    storeWatcher_ = std::make_unique<StoreWatcher>(*form_, form_->StorePath);
    window_->show();
    window_->prepareFirstPaint();
}

} // namespace hopwick
