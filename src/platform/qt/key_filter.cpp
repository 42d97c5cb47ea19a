#include "key_filter.h"

#include "click_label.h"
#include "virtual_keys.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QWidget>

namespace hopwick {

namespace {

// Unaccepted key events travel on from the focused widget to its parents; only their first stop counts.
bool isFirstStop(QObject* watched) {
    QWidget* window = static_cast<QWidget*>(watched)->window();
    QWidget* focused = window->focusWidget();
    return watched == (focused ? focused : window);
}

bool movesFocus(const QKeyEvent& event) {
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

} // namespace

KeyFilter::KeyFilter(MainForm& form, QObject* parent) : QObject(parent), form_(form) {}

void KeyFilter::watch(QWidget* widget, ControlId id) {
    controls_.insert(widget, id);
    widget->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    // Qt offers every key press to the focused widget as a shortcut override before it tries the access
    // keys, so this is where the window sees a key first.
    case QEvent::ShortcutOverride: return isFirstStop(watched) && previewKey(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyPress: return keyPress(watched, static_cast<QKeyEvent&>(*event));
    case QEvent::Shortcut: return !form_.accessKeysActive();
    default: return false;
    }
}

bool KeyFilter::previewKey(QKeyEvent& event) {
    int16_t keyCode = virtualKeyCode(event.key());
    if (keyCode == 0) {
        return false;
    }
    form_.Form_KeyDown(keyCode, shiftState(event.modifiers()));
    if (keyCode != 0) {
        return false;
    }
    swallowedKey_ = event.key();
    event.accept(); // claims the key, so that no access key acts on it
    return true;
}

bool KeyFilter::keyPress(QObject* watched, QKeyEvent& event) {
    const int swallowed = swallowedKey_;
    swallowedKey_ = 0;
    if (swallowed != 0 && swallowed == event.key()) {
        return true;
    }
    const ControlId control = controls_.value(watched, ControlId::Form);
    if (control == ControlId::Form) {
        return false;
    }
    if (!form_.controlInView(control)) {
        // Space on a button out of view would press it unseen; Tab takes the focus back into view.
        return !movesFocus(event);
    }
    return controlKey(control, watched, event);
}

// The key table says what a key does at the focused control; the path input's other keys are its own.
bool KeyFilter::controlKey(ControlId control, QObject* watched, QKeyEvent& event) {
    int16_t keyCode = virtualKeyCode(event.key());
    if (keyCode == 0) {
        return false;
    }
    const int16_t shift = shiftState(event.modifiers());
    switch (keyPlaceOf(control)) {
    case KeyPlace::List: form_.List1_KeyDown(keyCode, shift); return keyCode == 0;
    case KeyPlace::TextBox: form_.Text1_KeyDown(keyCode, shift); return false;
    case KeyPlace::Button:
    case KeyPlace::Label: break;
    case KeyPlace::Window: return false;
    }
    const KeyRule* rule = findKeyRule(keyPlaceOf(control), keyCode, shift);
    if (rule == nullptr || rule->deed != KeyDeed::Press) {
        return false;
    }
    if (auto* label = qobject_cast<ClickLabel*>(watched)) {
        if (!event.isAutoRepeat()) {
            label->click();
        }
        return true;
    }
    // Space presses a button by itself, drawn down while held; Enter does here what it does on Windows.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr || keyCode != kKeyEnter) {
        return false;
    }
    if (!event.isAutoRepeat()) { // held down, it presses once
        button->click();
    }
    return true;
}

} // namespace hopwick
