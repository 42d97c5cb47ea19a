#include "app/texts.h"
#include "platform/win32/accessible_control.h"
#include "platform/win32/main_window.h"
#include "platform/windows/wide_text.h"

#include <oleacc.h>

#include <string>

namespace hopwick::win32 {

namespace {

long roleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::ListBox: return ROLE_SYSTEM_LIST;
    case ControlKind::TextBox: return ROLE_SYSTEM_TEXT;
    case ControlKind::Button: return ROLE_SYSTEM_PUSHBUTTON; // OK too, which is drawn by the window
    case ControlKind::Label:
    case ControlKind::Window: break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

// A caption's lines read as one, the line break as a space.
std::wstring oneLine(std::wstring text) {
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at)) {
        text.replace(at, 2, L" ");
    }
    return text;
}

} // namespace

// The system names a control by its window text, which is the caption of every button (OK's too, although the
// window draws it) and label. It names an edit by the label before it in the z-order, which for the path input
// is the list, so the input takes its label's text here; the list has a name of its own. The labels that take
// clicks are told as push buttons that a press clicks, each label by its caption on one line; a control's
// description is its own where the table gives one, its tooltip otherwise.
LRESULT MainWindow::onAccessibleRequest(ControlId id, WPARAM flags, LPARAM objectId) {
    const ControlSpec& spec = controlSpec(id);
    AccessibleTraits traits;
    traits.role = roleOf(spec.kind);
    traits.description = widen(accessibleDescription(spec));
    if (id == ControlId::Text1) {
        traits.name = textOf(control(ControlId::Label1));
    } else if (id == ControlId::List1) {
        traits.name = widen(texts::kItemListName);
    } else if (spec.kind == ControlKind::Label) {
        traits.name = oneLine(textOf(control(id)));
        traits.pressable = id != ControlId::Label1;
        if (traits.pressable) {
            traits.role = ROLE_SYSTEM_PUSHBUTTON;
        }
    }
    return accessibleObjectFor(control(id), flags, objectId, traits);
}

} // namespace hopwick::win32
