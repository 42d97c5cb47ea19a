#pragma once

#include <windows.h>

#include <oleacc.h>

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

// Lays the traits over the system's own object for the control through the system's annotation: the name,
// description and role, and a pressable label's action's name. False when the system refuses any of them.
bool annotateControl(IAccPropServices& services, HWND control, const AccessibleTraits& traits);

// The answer to WM_GETOBJECT for a control. Where the system takes the annotation, assistive technology talks to
// the system's own object, and the answer is 0 for the system to answer, but for a pressable label. A pressable
// label, and every control on a system that keeps no annotations (Wine's oleacc refuses them), gets an object of
// its own that tells the traits and passes the rest to the system's object. A press of a pressable label is
// posted to its parent as the label's own click, as the mouse's click would be; a label out of sight takes none.
// 0 for any other object asked for or where oleacc is missing.
LRESULT accessibleObjectFor(HWND control, WPARAM flags, LPARAM objectId, const AccessibleTraits& traits);

} // namespace hopwick::win32
