#include "accessibility.h"

#include "app/texts.h"
#include "click_label.h"
#include "control_widgets.h"
#include "item_list.h"
#include "main_window.h"

#include <QtCore/QItemSelectionModel>
#include <QtCore/QRegularExpression>
#include <QtGui/QAccessible>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include <map>
#include <utility>

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

// A screen reader selects an entry through the view's selection, behind the model's back: the selection is
// handed to the model as a click on the entry, and the model's own selection is shown again when it is taken
// away. The view is judged once its selection has settled, since it passes through other states on the way
// (the old entry cleared before the new one is selected; rows removed while it shows the model), and those
// passing states are no one's clicks.
class SelectionRoute final : public QObject {
public:
    SelectionRoute(ItemList& list, ListBox& model) : QObject(&list), list_(list), model_(model) {
        connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this](const QItemSelection& added) {
                    if (!added.indexes().isEmpty()) {
                        addedRow_ = added.indexes().last().row();
                    }
                    if (!scheduled_) {
                        scheduled_ = true;
                        QMetaObject::invokeMethod(this, &SelectionRoute::settle, Qt::QueuedConnection);
                    }
                });
    }

private:
    void settle() {
        const int added = std::exchange(addedRow_, -1);
        scheduled_ = false;
        QList<int> shown;
        for (const QModelIndex& index : list_.selectionModel()->selectedIndexes()) {
            shown << index.row();
        }
        if (added >= 0 && shown.contains(added) && added != model_.ListIndex()) {
            model_.clickEntry(added);
            return;
        }
        const QList<int> expected = model_.ListIndex() < 0 ? QList<int>{} : QList<int>{model_.ListIndex()};
        if (shown != expected) {
            list_.showModel();
        }
    }

    ItemList& list_;
    ListBox& model_;
    int addedRow_ = -1;
    bool scheduled_ = false;
};

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}

void describeForAssistiveTechnology(MainWindow& window, MainForm& form) {
    auto* text = static_cast<QLineEdit*>(window.control(ControlId::Text1));
    auto* label = static_cast<QLabel*>(window.control(ControlId::Label1));
    label->setBuddy(text); // the label names the box
    text->setAccessibleName(label->text());
    window.control(ControlId::List1)->setAccessibleName(QString::fromUtf8(texts::kItemListName));
    new SelectionRoute(*static_cast<ItemList*>(window.control(ControlId::List1)), form.List1);
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
