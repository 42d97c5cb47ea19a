#pragma once

#include <windows.h>

#include <string>

namespace hopwick::win32 {

// What assistive technology is told about a control where the system's own object, derived from the control's
// class, style and text, says too little or the wrong thing.
struct AccessibleTraits {
    std::wstring name;        // empty: the system's, from the window text
    std::wstring description; // empty: none
    long role = 0;            // ROLE_SYSTEM_...; 0: the system's
    bool pressable = false;   // a label that acts as a push button, with its click as the default action
};

// The answer to WM_GETOBJECT for a control: its client object as the system makes it, with the traits laid
// over it. 0, so that the system answers alone, for any other object asked for or where oleacc is missing.
// A press of a pressable label is posted to its parent as the label's own click, as the mouse's click would
// be; a label out of sight takes none.
LRESULT accessibleObjectFor(HWND control, WPARAM flags, LPARAM objectId, const AccessibleTraits& traits);

} // namespace hopwick::win32
