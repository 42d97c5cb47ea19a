#include "launcher.h"

#include <QtTest/QTest>

#include <fstream>
#include <sstream>

namespace hopwick::testing {

Launcher::Launcher(std::string commandLine)
    : commandLine(std::move(commandLine)), platform(folder.path().toStdString()), form(platform), window(form) {
    platform.attach(window);
}

bool Launcher::start() {
    form.Form_Load(commandLine);
    window.show();
    window.prepareFirstPaint();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return false;
    }
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

std::string Launcher::folderPath(const std::string& name) const {
    return folder.filePath(QString::fromStdString(name)).toStdString();
}

void Launcher::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(folderPath(name), std::ios::binary) << bytes;
}

std::string Launcher::readFile(const std::string& name) const {
    std::ifstream in(folderPath(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Launcher::storeBytes(const std::vector<std::string>& items, const std::string& picture) {
    std::string line;
    for (std::size_t i = 0; i < kStoreSlots; ++i) {
        line += '"' + (i < items.size() ? items[i] : std::string()) + "\",";
    }
    return line + '"' + picture + "\"\r\n";
}

} // namespace hopwick::testing
