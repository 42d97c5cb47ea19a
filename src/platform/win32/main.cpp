#include "platform/win32/launcher_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return hopwick::win32::runLauncher(instance, showCommand);
}
