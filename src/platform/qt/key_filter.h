#pragma once

#include "app/main_form.h"

#include <QtCore/QHash>
#include <QtCore/QObject>

class QKeyEvent;
class QWidget;

namespace hopwick {

// The window's keyboard, watched on the window and each of its controls:
// - every key goes first to Form_KeyDown, which swallows it by setting the key code to 0;
// - a control out of view takes no key but Tab, which moves the focus back into view;
// - then the key table of the form decides at the focused control: keys in the list go to List1_KeyDown, keys
//   in Text1 to Text1_KeyDown, Enter and Space press a focused label, and Enter a focused button, as on Windows
//   (Space presses it by itself);
// - the buttons' access keys act only while the form allows them (in normal mode the buttons are out of view).
class KeyFilter final : public QObject {
public:
    KeyFilter(MainForm& form, QObject* parent);

    // Watches `widget`, the window or the control `id`; call for the window and for every control.
    void watch(QWidget* widget, ControlId id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool previewKey(QKeyEvent& event);
    bool keyPress(QObject* watched, QKeyEvent& event);
    bool controlKey(ControlId control, QObject* watched, QKeyEvent& event);

    MainForm& form_;
    QHash<QObject*, ControlId> controls_;
    // The key that Form_KeyDown handled: Qt delivers it once more as a key press, which is swallowed too.
    int swallowedKey_ = 0;
};

} // namespace hopwick
