#pragma once

#include "app/main_form.h"
#include "platform/qt/main_window.h"
#include "test_platform.h"

#include <QtCore/QTemporaryDir>

#include <string>
#include <vector>

namespace hopwick::testing {

// The launcher as the program builds it, with its program folder in a fresh temporary folder.
class Launcher {
public:
    explicit Launcher(std::string commandLine = {});

    // Runs the start-up and shows the window; false when the window did not come up.
    [[nodiscard]] bool start();

    template <typename Widget = QWidget> Widget* find(const char* name) const {
        return window.findChild<Widget*>(QString::fromLatin1(name));
    }
    std::string folderPath(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;
    std::string readFile(const std::string& name) const;
    // The store's bytes for these items and picture path, as the launcher writes them.
    static std::string storeBytes(const std::vector<std::string>& items, const std::string& picture = {});

    QTemporaryDir folder;
    std::string commandLine;
    TestPlatform platform;
    MainForm form;
    MainWindow window;
};

} // namespace hopwick::testing
