// Hopwick as the program starts it, ending right after the window's first paint. A run that did not load the
// full store and its picture would measure something else, so it fails.

#include "platform/qt/launcher_app.h"
#include "window/first_paint_exit.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    hopwick::LauncherApp launcher(argc, argv);
    hopwick::bench::quitAfterFirstPaint(launcher.window());
    const int status = QApplication::exec();
    const hopwick::MainForm& form = launcher.form();
    const bool loaded = form.List1.ListCount() == hopwick::kStoreSlots && form.Form.Picture() != nullptr;
    return status != 0 ? status : loaded ? 0 : 3;
}
