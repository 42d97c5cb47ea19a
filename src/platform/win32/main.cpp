#include "app/main_form.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // COM for the picture loader and the file dialog; the common controls for tooltips and the visual style.
    OleInitialize(nullptr);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    hopwick::win32::Win32Platform platform;
    hopwick::MainForm form(platform);
    int exitCode = 1;
    {
        hopwick::win32::MainWindow window(form, instance);
        if (window.handle() != nullptr) {
            platform.attach(&window);
            form.Form_Load();
            window.show(showCommand);
            exitCode = window.run();
        }
        platform.attach(nullptr);
    }
    OleUninitialize();
    return exitCode;
}
