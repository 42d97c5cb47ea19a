// The toolkit's floor: a plain Qt Widgets window with Hopwick's controls, geometry, captions and fonts, and
// nothing else: no store, no handlers. It ends after its first paint, as the measured Hopwick does.
// Given a file of items (one a line) and a picture, it also shows them, the plain Qt way: the floor for showing
// the same content, which tells the toolkit's cost of drawing it from Hopwick's own.

#include "app/control_table.h"
#include "app/texts.h"
#include "window/first_paint_exit.h"

#include <QtCore/QFile>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

namespace {

using namespace hopwick;

int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The installed fonts that the window's Japanese font names stand for, named directly.
QFont font(const FontSpec& spec) {
    QFont font(spec.family == kWindowFont.family ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic"));
    font.setPointSizeF(spec.points);
    font.setWeight(static_cast<QFont::Weight>(spec.weight));
    return font;
}

class Surface final : public QWidget {
public:
    QImage picture;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture.isNull()) {
            QPainter(this).drawImage(0, 0, picture);
        }
    }
};

QStringList linesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QWidget* makeControl(const ControlSpec& spec, QWidget* window) {
    switch (spec.kind) {
    case ControlKind::ListBox: return new QListWidget(window);
    case ControlKind::TextBox: return new QLineEdit(window);
    case ControlKind::Button: return new QPushButton(text(spec.caption), window);
    case ControlKind::Label: {
        auto* label = new QLabel(
            spec.id == ControlId::Label2 ? QString::fromUtf8(texts::kSetupLabelCaption) : text(spec.caption), window);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Window: break;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Surface window;
    const QStringList items = argc > 2 ? linesOf(QString::fromLocal8Bit(argv[1])) : QStringList();
    if (argc > 2) {
        window.picture = QImage(QString::fromLocal8Bit(argv[2]));
    }
    window.setFont(font(kWindowFont));
    window.setWindowTitle(QString::fromUtf8(texts::kAppTitle));
    window.setFixedSize(pixels(kLayoutWidth), pixels(kNormalClientHeight));
    for (const ControlSpec& spec : controlTable()) {
        QWidget* control = makeControl(spec, &window);
        control->setGeometry(pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height));
        control->setFont(font(spec.font));
        control->setToolTip(text(spec.tooltip));
        if (auto* list = qobject_cast<QListWidget*>(control)) {
            list->addItems(items);
        }
    }
    // Observed from outside, the window stays until the observer ends it, as a user's window would.
    if (!qEnvironmentVariableIsSet(hopwick::bench::kStayOpenVariable)) {
        hopwick::bench::quitAfterFirstPaint(window);
    }
    window.show();
    return QApplication::exec();
}
