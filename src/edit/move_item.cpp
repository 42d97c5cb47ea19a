#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

// The upper edge is known by position, the lower edge by an empty neighbour (reading past the last entry
// gives ""); at an edge the selection steps one place inward. An empty list only beeps.

void MainForm::Command8_Click() {
    List1.SetFocus();
    if (List1.ListCount() == 0) {
        platform_.beep();
        return;
    }
    if (List1.ListIndex() == -1) {
        List1.setListIndex(0);
    }
    const int i = List1.ListIndex();
    if (i < 0) {
        return;
    }
    if (i == 0) {
        List1.setListIndex(i + 1);
        platform_.messageBox(texts::kTopEdgePrompt, kStyleOk, "");
        return;
    }
    const std::string upper = List1.List(i - 1);
    const std::string moved = List1.List(i);
    List1.setList(i, upper);
    List1.setList(i - 1, moved);
    List1.setSelected(i - 1, true);
}

void MainForm::Command9_Click() {
    List1.SetFocus();
    if (List1.ListCount() == 0) {
        platform_.beep();
        return;
    }
    if (List1.ListIndex() == -1) {
        List1.setListIndex(0);
    }
    const int i = List1.ListIndex();
    if (i < 0) {
        return;
    }
    if (List1.List(i + 1).empty()) {
        platform_.beep();
        List1.setListIndex(i - 1);
        platform_.messageBox(texts::kBottomEdgePrompt, kStyleOk, "");
        return;
    }
    const std::string lower = List1.List(i + 1);
    const std::string moved = List1.List(i);
    List1.setList(i, lower);
    List1.setList(i + 1, moved);
    List1.setSelected(i + 1, true);
}

} // namespace hopwick
