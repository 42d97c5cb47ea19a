#include "platform/win32/launcher_app.h"

#include "platform/system_platform.h"
#include "platform/win32/command_line.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"
#include "platform/windows/ole_on_demand.h"
#include "platform/windows/wide_text.h"

#include <commctrl.h>

namespace hopwick::win32 {

int runLauncher(HINSTANCE instance, int showCommand, const std::function<void(MainForm&, HWND)>& shown) {
    // OLE starts when something first needs it, and ends after the form and its picture are gone; the common
    // controls for tooltips and the visual style.
    const OleScope ole;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    SystemPlatform system;
    Win32Platform platform(system);
    MainForm form(Platform{system, platform, platform});
    int exitCode = 1;
    {
        MainWindow window(form, instance);
        if (window.handle() != nullptr) {
            platform.attach(&window);
            form.Form_Load(narrow(commandLinePathOf(argumentsOf(GetCommandLineW()))));
            window.followStore(form.StorePath);
            window.show(showCommand);
            if (shown) {
                shown(form, window.handle());
            }
            exitCode = window.run();
        }
        platform.attach(nullptr);
    }
    return exitCode;
}

} // namespace hopwick::win32
