#include "drop_forwarding.h"

#include "app/control_table.h"
#include "flag_bits.h"
#include "virtual_keys.h"

#include <QtCore/QMetaObject>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>

namespace hopwick {

namespace {

constexpr int kDropEffectMove = 2;
constexpr int kDropEffectLink = 4;

bool isLocalFile(const QUrl& url) {
    return url.isLocalFile() && (url.host().isEmpty() || url.host() == u"localhost");
}

// The path's own bytes: a name that is not UTF-8 stays percent-encoded in the URL and is decoded back here.
std::string localPath(const QUrl& url) {
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

int effectsOf(Qt::DropActions actions) {
    return bitsOf(actions, {std::pair{Qt::CopyAction, kDropEffectCopy},
                            {Qt::MoveAction, kDropEffectMove},
                            {Qt::LinkAction, kDropEffectLink}});
}

int mouseButtons(Qt::MouseButtons buttons) {
    return bitsOf(buttons, {std::pair{Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}});
}

struct DropArguments {
    DataObject data;
    int effect;
    int button;
    int shift;
    float x, y; // twips from the target's top-left
};

DropArguments argumentsOf(const QDropEvent& event) {
    const QPointF at = event.position() * kTwipsPerPixel;
    return {dataObjectFrom(*event.mimeData()), effectsOf(event.possibleActions()), mouseButtons(event.buttons()),
            shiftState(event.modifiers()),     static_cast<float>(at.x()),         static_cast<float>(at.y())};
}

void acceptAsCopy(QDropEvent& event, int effect) {
    if ((effect & kDropEffectCopy) && (event.possibleActions() & Qt::CopyAction)) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else {
        event.ignore();
    }
}

} // namespace

DataObject dataObjectFrom(const QMimeData& mime) {
    std::vector<std::string> paths;
    for (const QUrl& url : mime.urls()) {
        if (isLocalFile(url)) {
            paths.push_back(localPath(url));
        }
    }
    return paths.empty() ? DataObject::other() : DataObject::files(std::move(paths));
}

void forwardDragOver(MainForm& form, DragOverHandler handler, QDragMoveEvent& event, int state) {
    DropArguments args = argumentsOf(event);
    (form.*handler)(args.data, args.effect, args.button, args.shift, args.x, args.y, state);
    acceptAsCopy(event, args.effect);
}

void forwardDrop(MainForm& form, DropHandler handler, QDropEvent& event, QObject& target) {
    acceptAsCopy(event, kDropEffectCopy);
    QMetaObject::invokeMethod(
        &target,
        [&form, handler, args = argumentsOf(event)]() mutable {
            (form.*handler)(args.data, args.effect, args.button, args.shift, args.x, args.y);
        },
        Qt::QueuedConnection);
}

} // namespace hopwick
