#include "launcher_app.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    hopwick::LauncherApp launcher(argc, argv);
    return QApplication::exec();
}
