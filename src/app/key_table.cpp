#include "app/key_table.h"

#include "app/control_table.h"

#include <array>

namespace hopwick {

namespace {

constexpr int16_t kAnyModifier = kShiftMask | kCtrlMask | kAltMask;

// clang-format off
constexpr std::array<KeyRule, 24> kKeys{{
    // Shortcuts of the window: the setup label, "Help!" and the setup commands.
    {KeyPlace::Window, kKeyF2, 0, 0, KeyDeed::RunHandler, ControlId::Label2},
    {KeyPlace::Window, kKeyF1, 0, 0, KeyDeed::RunHandler, ControlId::Label3},
    {KeyPlace::Window, 'P', kAltMask, kShiftMask, KeyDeed::RunHandler, ControlId::Command4},
    {KeyPlace::Window, 'I', kAltMask, kShiftMask, KeyDeed::RunHandler, ControlId::Command5},
    {KeyPlace::Window, 'D', kAltMask, kShiftMask, KeyDeed::RunHandler, ControlId::Command2},
    {KeyPlace::Window, 'S', kAltMask, kShiftMask, KeyDeed::RunHandler, ControlId::Command20},
    {KeyPlace::Window, 'C', kAltMask, kShiftMask, KeyDeed::RunHandler, ControlId::Command3},
    {KeyPlace::Window, 'E', kAltMask, kShiftMask, KeyDeed::RunHandler, ControlId::Command7},
    // Enter in the path input adds, whatever the modifiers.
    {KeyPlace::TextBox, kKeyEnter, 0, kAnyModifier, KeyDeed::RunHandler, ControlId::Command20},
    // The list: moving starts nothing, Enter and Space start the selected entry.
    {KeyPlace::List, kKeyUp, 0, kShiftMask, KeyDeed::MoveUp, ControlId::Form},
    {KeyPlace::List, kKeyLeft, 0, kShiftMask, KeyDeed::MoveUp, ControlId::Form},
    {KeyPlace::List, kKeyDown, 0, kShiftMask, KeyDeed::MoveDown, ControlId::Form},
    {KeyPlace::List, kKeyRight, 0, kShiftMask, KeyDeed::MoveDown, ControlId::Form},
    {KeyPlace::List, kKeyHome, 0, kShiftMask, KeyDeed::MoveHome, ControlId::Form},
    {KeyPlace::List, kKeyEnd, 0, kShiftMask, KeyDeed::MoveEnd, ControlId::Form},
    {KeyPlace::List, kKeyPageUp, 0, kShiftMask, KeyDeed::MovePageUp, ControlId::Form},
    {KeyPlace::List, kKeyPageDown, 0, kShiftMask, KeyDeed::MovePageDown, ControlId::Form},
    {KeyPlace::List, kAnyLetterOrDigit, 0, kShiftMask, KeyDeed::FindEntry, ControlId::Form},
    {KeyPlace::List, kKeyEnter, 0, kShiftMask, KeyDeed::StartSelected, ControlId::Form},
    {KeyPlace::List, kKeySpace, 0, kShiftMask, KeyDeed::StartSelected, ControlId::Form},
    // Buttons, and the labels that act as buttons.
    {KeyPlace::Button, kKeyEnter, 0, kShiftMask, KeyDeed::Press, ControlId::Form},
    {KeyPlace::Button, kKeySpace, 0, kShiftMask, KeyDeed::Press, ControlId::Form},
    {KeyPlace::Label, kKeyEnter, 0, kShiftMask, KeyDeed::Press, ControlId::Form},
    {KeyPlace::Label, kKeySpace, 0, kShiftMask, KeyDeed::Press, ControlId::Form},
}};
// clang-format on

bool isLetterOrDigit(int16_t keyCode) {
    return (keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9');
}

bool matches(const KeyRule& rule, KeyPlace place, int16_t keyCode, int16_t shift) {
    if (rule.place != place || (shift & ~rule.ignored) != rule.shift) {
        return false;
    }
    return rule.keyCode == keyCode || (rule.keyCode == kAnyLetterOrDigit && isLetterOrDigit(keyCode));
}

} // namespace

std::span<const KeyRule> keyTable() {
    return kKeys;
}

const KeyRule* findKeyRule(KeyPlace place, int16_t keyCode, int16_t shift) {
    for (const KeyPlace at : {KeyPlace::Window, place}) {
        for (const KeyRule& rule : keyTable()) {
            if (matches(rule, at, keyCode, shift)) {
                return &rule;
            }
        }
    }
    return nullptr;
}

KeyPlace keyPlaceOf(ControlId control) {
    switch (controlSpec(control).kind) {
    case ControlKind::ListBox: return KeyPlace::List;
    case ControlKind::TextBox: return KeyPlace::TextBox;
    case ControlKind::Button: return KeyPlace::Button;
    case ControlKind::Label: return KeyPlace::Label;
    case ControlKind::Window: break;
    }
    return KeyPlace::Window;
}

bool takesKeyboardFocus(ControlId control) {
    // The setup label and "Help!" have shortcuts of their own, so they are found by Tab too; "Exit" is the
    // frame's close (Alt+F4) and "パスの入力：" only names the path input.
    if (controlSpec(control).kind == ControlKind::Label) {
        return control == ControlId::Label2 || control == ControlId::Label3;
    }
    return control != ControlId::Form;
}

} // namespace hopwick
