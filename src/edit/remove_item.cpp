#include "app/main_form.h"

namespace hopwick {

void MainForm::Command2_Click() {
    List1.SetFocus();
    if (List1.ListCount() == 0) {
        dialogs_.beep();
        return;
    }
    if (List1.ListIndex() == -1) {
        // Selecting the first item raises the click, which outside setup mode launches it and may remove it
        // itself; then nothing is selected any more and nothing more is removed.
        List1.setListIndex(List1.ListIndex() + 1);
        if (List1.ListIndex() >= 0 && List1.Selected(List1.ListIndex())) {
            List1.RemoveItem(List1.ListIndex());
        }
        return;
    }
    List1.RemoveItem(List1.ListIndex());
}

} // namespace hopwick
