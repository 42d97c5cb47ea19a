#include "accessibility.h"

#include "app/texts.h"
#include "click_label.h"
#include "control_widgets.h"
#include "item_list.h"
#include "list_accessible.h"
#include "main_window.h"
#include "path_box_accessible.h"

#include <QtCore/QRegularExpression>
#include <QtGui/QAccessible>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include <map>

namespace hopwick {

namespace {

// The window offers only the controls in view as its children.
class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(offered().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> controls = offered();
        if (index < 0 || index >= controls.size()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(controls[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) {
            return -1;
        }
        return static_cast<int>(offered().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> offered() const {
        QList<QWidget*> controls;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control && !control->isWindow() && inView(*control)) {
                controls.append(control);
            }
        }
        return controls;
    }
};

// A label that runs a handler on a click is announced and operated as a push button.
class ClickLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label) : QAccessibleWidget(label, QAccessible::PushButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.offscreen = !inView(*widget());
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& name) override {
        if (name == pressAction()) {
            static_cast<ClickLabel*>(widget())->click();
        }
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (dynamic_cast<MainWindow*>(object)) {
        return new FormAccessible(static_cast<QWidget*>(object));
    }
    if (auto* label = dynamic_cast<ClickLabel*>(object); label && label->clickable()) {
        return new ClickLabelAccessible(label);
    }
    if (auto* list = dynamic_cast<ItemList*>(object)) {
        return listAccessibleFor(*list);
    }
    // The window's path box; the line edits of the file dialog keep Qt's own.
    if (auto* box = dynamic_cast<QLineEdit*>(object); box && dynamic_cast<MainWindow*>(box->parentWidget())) {
        return pathBoxAccessibleFor(*box);
    }
    return nullptr;
}

// Tells assistive technologies which controls come into view and which leave it when the window's height
// changes with the mode.
class ViewWatcher final : public QObject {
public:
    explicit ViewWatcher(MainWindow& window) : QObject(&window), window_(window) {
        for (QObject* object : window.children()) {
            if (auto* control = qobject_cast<QWidget*>(object); control && !control->isWindow()) {
                shown_[control] = inView(*control);
            }
        }
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Resize) {
            announceChanges();
        }
        return false;
    }

private:
    void announceChanges() {
        for (auto& [control, shown] : shown_) {
            const bool now = inView(*control);
            if (now == shown) {
                continue;
            }
            shown = now;
            QAccessibleEvent change(control, now ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&change);
        }
    }

    MainWindow& window_;
    std::map<QWidget*, bool> shown_;
};

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}

void describeForAssistiveTechnology(MainWindow& window) {
    auto* text = static_cast<QLineEdit*>(window.control(ControlId::Text1));
    auto* label = static_cast<QLabel*>(window.control(ControlId::Label1));
    label->setBuddy(text); // the label names the box
    text->setAccessibleName(label->text());
    window.control(ControlId::List1)->setAccessibleName(QString::fromUtf8(texts::kItemListName));
    reportSelectedEntryOnFocus(*static_cast<ItemList*>(window.control(ControlId::List1)));
    new ViewWatcher(window);
}

QString accessibleCaption(const QString& caption) {
    static const QRegularExpression accessKeyMark(QStringLiteral("\\(&[^&)]\\)"));
    return plainCaption(QString(caption).remove(accessKeyMark));
}

void nameButtonsByCaption(QWidget& dialog) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        button->setAccessibleName(accessibleCaption(button->text()));
    }
}

bool inView(const QWidget& control) {
    const QWidget* window = control.parentWidget();
    return !control.isHidden() && window && window->rect().intersects(control.geometry());
}

} // namespace hopwick
