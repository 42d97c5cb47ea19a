#pragma once

#include "app/main_form.h"
#include "main_window.h"
#include "platform/system_platform.h"
#include "qt_platform.h"
#include "store_watcher.h"

#include <QtCore/QTranslator>

#include <memory>

namespace hopwick {

// The launcher as the program starts it, once a QApplication exists: Qt's own texts in Japanese, the platform,
// the form and its window, a command-line path opened and the store loaded and followed, and the window shown.
class LauncherApp {
public:
    LauncherApp(int argc, char** argv);
    LauncherApp(const LauncherApp&) = delete;
    LauncherApp& operator=(const LauncherApp&) = delete;

    MainForm& form() { return *form_; }
    MainWindow& window() { return *window_; }

private:
    // Built in the constructor's body, after the application's name and texts are set.
    QTranslator qtTexts_;
    SystemPlatform system_;
    std::unique_ptr<QtPlatform> platform_;
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<StoreWatcher> storeWatcher_;
};

} // namespace hopwick
