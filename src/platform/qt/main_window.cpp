#include "main_window.h"

#include "accessibility.h"
#include "click_label.h"
#include "control_bindings.h"
#include "control_widgets.h"
#include "drop_forwarding.h"
#include "fonts.h"
#include "graphical_button.h"
#include "item_list.h"
#include "key_filter.h"
#include "qt_picture.h"

#include <QtCore/QFile>
#include <QtGui/QAccessible>
#include <QtGui/QIcon>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include <algorithm>
#include <limits>

namespace hopwick {

namespace {

// The Windows frame that the form's outer sizes include.
constexpr int kFrameWidth = kOuterWidth - kLayoutWidth;
constexpr int kFrameHeight = kNormalOuterHeight - kNormalClientHeight;
static_assert(kFrameHeight == kSetupOuterHeight - kSetupClientHeight);

std::size_t slot(ControlId id) {
    return static_cast<std::size_t>(id);
}

bool takesTabFocus(const QWidget& widget) {
    return (widget.focusPolicy() & Qt::TabFocus) != 0 && widget.isEnabled() && widget.isVisible();
}

} // namespace

MainWindow::MainWindow(MainForm& form) : form_(form) {
    installFonts(); // before the first font of the window is resolved
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form"));
    setFont(fontFor(kWindowFont));
    QFile icon(QStringLiteral(":/icons/hopwick.png"));
    if (icon.open(QIODevice::ReadOnly)) {
        setWindowIcon(QIcon(QPixmap::fromImage(readImage(icon, "png"))));
    }
    setAcceptDrops(true);
    // The whole canvas, as laid out, until the form gives the window its size.
    setFixedSize(pixels(kLayoutWidth), pixels(kLayoutHeight));

    QWidget* previous = nullptr;
    for (const ControlSpec& spec : controlTable()) {
        QWidget* widget = createControl(spec);
        widgets_[slot(spec.id)] = widget;
        if (previous) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }

    keys_ = new KeyFilter(form_, this);
    keys_->watch(this, ControlId::Form);
    for (const ControlSpec& spec : controlTable()) {
        keys_->watch(control(spec.id), spec.id);
        showControl(spec.id);
    }
    showCaption(form_.Form.Caption());
    showPicture(form_.Form.Picture());
    describeForAssistiveTechnology(*this);
}

QWidget* MainWindow::createControl(const ControlSpec& spec) {
    QWidget* widget = nullptr;
    switch (spec.kind) {
    case ControlKind::ListBox:
        list_ = new ItemList(form_, this);
        widget = list_;
        break;
    case ControlKind::TextBox:
        text_ = new QLineEdit(this);
        text_->setMaxLength(std::numeric_limits<int>::max()); // a path of any length
        text_->setAcceptDrops(false);                         // files dropped on it go to the window
        // Changed, not only edited: a screen reader sets the text as the program does.
        connect(text_, &QLineEdit::textChanged, this,
                [this](const QString& text) { form_.Text1.setTextFromUser(text.toStdString()); });
        widget = text_;
        break;
    case ControlKind::Button: {
        // The "&" in the caption makes Qt's access key; the key filter lets it act only when the form allows.
        const QString caption = QString::fromUtf8(spec.caption.data(), static_cast<qsizetype>(spec.caption.size()));
        // OK is the one button in the graphical style, so that its back colour fills it.
        auto* button =
            spec.id == ControlId::Command1 ? new GraphicalButton(caption, this) : new QPushButton(caption, this);
        button->setAutoDefault(false);
        const Handler click = buttonBinding(spec.id)->click;
        connect(button, &QPushButton::clicked, this, [this, click] { (form_.*click)(); });
        widget = button;
        break;
    }
    case ControlKind::Label: {
        std::function<void()> onClick;
        if (const Handler click = labelBinding(spec.id)->click) {
            onClick = [this, click] { (form_.*click)(); };
        }
        auto* label = new ClickLabel(std::move(onClick), this);
        if (takesKeyboardFocus(spec.id)) {
            label->setFocusPolicy(Qt::StrongFocus); // found by Tab and pressed by Enter or Space, as a button
        }
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlKind::Window: break;
    }
    applyDesign(*widget, spec);
    return widget;
}

void MainWindow::prepareFirstPaint() {
    list_->prepareGlyphs();
}

// The window itself takes no keys: focused, it leaves the focus on the control in view that has it, or gives it
// to the first control in view, so that the focus always shows and the next key does something.
void MainWindow::focusControl(ControlId id) {
    if (id != ControlId::Form) {
        control(id)->setFocus();
        return;
    }
    const auto focused = std::find(widgets_.begin(), widgets_.end(), focusWidget());
    if (focusWidget() != nullptr && focused != widgets_.end() &&
        form_.controlInView(static_cast<ControlId>(focused - widgets_.begin()))) {
        return;
    }
    for (const ControlSpec& spec : controlTable()) {
        if (takesKeyboardFocus(spec.id) && form_.controlInView(spec.id)) {
            control(spec.id)->setFocus();
            return;
        }
    }
}

// The form sets outer sizes that include a Windows frame; the window here is the client area. A size that the
// form has not set yet (0) keeps the current one.
void MainWindow::showWindowSize(int outerWidthTwips, int outerHeightTwips) {
    const int width = outerWidthTwips > 0 ? pixels(std::max(0, outerWidthTwips - kFrameWidth)) : this->width();
    const int height = outerHeightTwips > 0 ? pixels(std::max(0, outerHeightTwips - kFrameHeight)) : this->height();
    setFixedSize(width, height);
}

void MainWindow::showCaption(const std::string& caption) {
    const QString title = QString::fromUtf8(caption);
    if (title == windowTitle()) {
        return;
    }
    setWindowTitle(title);
    // Qt tells assistive technologies nothing of a new title, and setup mode's title is its instruction.
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void MainWindow::showPicture(std::shared_ptr<const Picture> picture) {
    picture_ = std::move(picture);
    update();
}

void MainWindow::showControl(ControlId id) {
    switch (controlSpec(id).kind) {
    case ControlKind::ListBox: list_->showModel(); break;
    case ControlKind::TextBox: showText(); break;
    case ControlKind::Label: showLabel(id); break;
    case ControlKind::Button: showButton(id); break;
    case ControlKind::Window: break;
    }
}

void MainWindow::showText() {
    const QString text = QString::fromUtf8(form_.Text1.Text());
    if (text_->text() != text) {
        text_->setText(text);
    }
}

void MainWindow::showLabel(ControlId id) {
    const Label& model = form_.*(labelBinding(id)->model);
    auto* label = static_cast<QLabel*>(control(id));
    const QString text = displayText(model.Caption());
    label->setText(text);
    label->setAccessibleName(text.isEmpty() ? label->objectName() : QString(text).replace(u'\n', u' '));
    QFont font = fontFor(controlSpec(id).font);
    font.setBold(model.FontBold()); // the model starts from the design weight
    label->setFont(font);
}

void MainWindow::showButton(ControlId id) {
    const Button& model = form_.*(buttonBinding(id)->model);
    const std::optional<QColor> color = ownColor(model.BackColor());
    QPalette palette; // sets nothing: the button follows the window's colours
    if (color) {
        palette.setColor(QPalette::Button, *color);
    }
    control(id)->setPalette(palette);
    if (auto* graphical = dynamic_cast<GraphicalButton*>(control(id))) {
        graphical->setFaceColor(color);
    }
}

// Tab and Shift+Tab from any control end here. They walk the tab order as Qt would, but pass over what the
// window does not show: in normal mode the setup band lies below the visible area.
bool MainWindow::focusNextPrevChild(bool next) {
    QWidget* const start = focusWidget() ? focusWidget() : this;
    QWidget* candidate = start;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        const auto control = std::find(widgets_.begin(), widgets_.end(), candidate);
        if (control != widgets_.end() && takesTabFocus(*candidate) &&
            form_.controlInView(static_cast<ControlId>(control - widgets_.begin()))) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start);
    return true; // nothing else in view takes the focus: it stays where it is
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Drawn at its own size from the top-left corner, neither stretched nor repeated; the controls lie on top.
    if (const auto* picture = dynamic_cast<const QtPicture*>(picture_.get())) {
        QPainter painter(this);
        painter.drawImage(0, 0, picture->image());
    }
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // The controls take their own mouse events, so this is a double click on the surface.
    if (event->button() == Qt::LeftButton) {
        form_.Form_DblClick();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    forwardDragOver(form_, &MainForm::Form_OLEDragOver, *event, kDragEnter);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    forwardDragOver(form_, &MainForm::Form_OLEDragOver, *event, kDragOver);
}

void MainWindow::dropEvent(QDropEvent* event) {
    forwardDrop(form_, &MainForm::Form_OLEDragDrop, *event, *this);
}

} // namespace hopwick
