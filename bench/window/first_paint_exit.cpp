#include "window/first_paint_exit.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QMetaObject>
#include <QtWidgets/QWidget>

namespace hopwick::bench {

namespace {

class FirstPaintWatch final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void quitAfterFirstPaint(QWidget& window) {
    window.installEventFilter(new FirstPaintWatch(&window));
}

} // namespace hopwick::bench
