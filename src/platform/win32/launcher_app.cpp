#include "platform/win32/launcher_app.h"

#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <ole2.h>

namespace hopwick::win32 {

int runLauncher(HINSTANCE instance, int showCommand, const std::function<void(MainForm&, HWND)>& shown) {
    // COM for the picture loader and the file dialog; the common controls for tooltips and the visual style.
    OleInitialize(nullptr);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Platform platform;
    MainForm form(platform);
    int exitCode = 1;
    {
        MainWindow window(form, instance);
        if (window.handle() != nullptr) {
            platform.attach(&window);
            form.Form_Load();
            window.show(showCommand);
            if (shown) {
                shown(form, window.handle());
            }
            exitCode = window.run();
        }
        platform.attach(nullptr);
    }
    OleUninitialize();
    return exitCode;
}

} // namespace hopwick::win32
