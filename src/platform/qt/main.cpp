#include "launcher_app.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    // Qt would take its own options (-reverse, -style, -platform, …) out of the arguments, and the user's
    // path with them: it sees only the program's name, and takes its settings from its environment variables.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    hopwick::LauncherApp launcher(argc, argv);
    return QApplication::exec();
}
