#pragma once

#include "launcher.h"

#include <QtCore/QObject>

#include <memory>

namespace hopwick::testing {

// A Qt Test class whose every test function gets a fresh launcher; a modal dialog that came up without an
// answer fails the test.
class LauncherTestCase : public QObject {
    Q_OBJECT

protected:
    // `started`: run the start-up and show the window before each test function.
    explicit LauncherTestCase(bool started = true) : started_(started) {}

protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<Launcher> launcher;

private:
    bool started_;
};

} // namespace hopwick::testing
