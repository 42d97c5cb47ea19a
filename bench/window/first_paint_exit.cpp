#include "window/first_paint_exit.h"

#include "support/timed_run.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QMetaObject>
#include <QtWidgets/QWidget>

#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

namespace hopwick::bench {

namespace {

// Tells the driver, when it asked through the environment, when the first frame had reached the display.
void reportFirstFrame() {
    const char* descriptor = std::getenv(kFirstFrameReportVariable);
    if (descriptor == nullptr) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string line = std::to_string(now.tv_sec * 1'000'000'000LL + now.tv_nsec) + "\n";
    const int report = std::atoi(descriptor);
    [[maybe_unused]] const ssize_t written = write(report, line.data(), line.size());
    close(report);
}

class FirstPaintWatch final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    reportFirstFrame();
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void quitAfterFirstPaint(QWidget& window) {
    window.installEventFilter(new FirstPaintWatch(&window));
}

} // namespace hopwick::bench
