// Hopwick for Windows as the program starts it, ending right after the window's first paint. A run that did not
// load the full store and its picture would measure something else, so it fails.

#include "platform/win32/launcher_app.h"
#include "windows/first_paint_close.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    bool loaded = false;
    const int status =
        hopwick::win32::runLauncher(instance, showCommand, [&loaded](hopwick::MainForm& form, HWND window) {
            loaded = form.List1.ListCount() == hopwick::kStoreSlots && form.Form.Picture() != nullptr;
            hopwick::bench::closeAfterFirstPaint(window);
        });
    return status != 0 ? status : loaded ? 0 : 3;
}
