#include "launcher_test_case.h"

#include <QtTest/QTest>

namespace hopwick::testing {

void LauncherTestCase::init() {
    launcher = std::make_unique<Launcher>();
    if (started_) {
        QVERIFY(launcher->start());
    }
}

void LauncherTestCase::cleanup() {
    QCOMPARE(launcher->platform.unanswered, 0);
    launcher.reset();
}

} // namespace hopwick::testing
