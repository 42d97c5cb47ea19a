#pragma once

#include "platform/control_id.h"

#include <cstdint>
#include <span>

namespace hopwick {

// Virtual-key codes, the same on every front end.
inline constexpr int16_t kKeyEnter = 13;
inline constexpr int16_t kKeySpace = 32;
inline constexpr int16_t kKeyPageUp = 33;
inline constexpr int16_t kKeyPageDown = 34;
inline constexpr int16_t kKeyEnd = 35;
inline constexpr int16_t kKeyHome = 36;
inline constexpr int16_t kKeyLeft = 37;
inline constexpr int16_t kKeyUp = 38;
inline constexpr int16_t kKeyRight = 39;
inline constexpr int16_t kKeyDown = 40;
inline constexpr int16_t kKeyF1 = 112;
inline constexpr int16_t kKeyF2 = 113;
// Stands in a rule for every letter and digit key.
inline constexpr int16_t kAnyLetterOrDigit = -1;

inline constexpr int16_t kShiftMask = 1;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kAltMask = 4;

// Where the keyboard focus is when a key goes down. Window rules act wherever the focus is.
enum class KeyPlace { Window, List, TextBox, Button, Label };

enum class KeyDeed {
    RunHandler, // runs the click handler of the rule's control, while that control is in view
    Press,      // presses the focused button or label, as a click on it does
    MoveUp,     // the list's selection moves; nothing is started
    MoveDown,
    MoveHome,
    MoveEnd,
    MovePageUp,
    MovePageDown,
    FindEntry,     // selects the next entry that begins with the typed letter or digit; nothing is started
    StartSelected, // starts the selected entry as a click on it does; nothing when none is selected
};

// One key's meaning at one place. `shift` must be held exactly, apart from the modifiers in `ignored`.
struct KeyRule {
    KeyPlace place;
    int16_t keyCode;
    int16_t shift;
    int16_t ignored;
    KeyDeed deed;
    ControlId control; // whose handler RunHandler runs; Form otherwise
};

// Every key the launcher gives a meaning of its own, on every front end. Keys not in it do what the focused
// control does by itself (typing into the path input, Tab), or nothing.
std::span<const KeyRule> keyTable();

// The rule for a key at a place, a window rule first; null when the key has none.
const KeyRule* findKeyRule(KeyPlace place, int16_t keyCode, int16_t shift);

// Where a key goes when this control has the focus.
KeyPlace keyPlaceOf(ControlId control);

// Whether the control takes the focus from Tab and from a click (the labels that act as buttons do, the others
// do not).
bool takesKeyboardFocus(ControlId control);

} // namespace hopwick
