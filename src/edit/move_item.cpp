#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

// The upper edge is known by position, the lower edge by an empty neighbour (reading past the last entry
// gives ""); at an edge the selection steps one place inward.

void MainForm::Command8_Click() {
    const int i = entryToMove();
    if (i < 0) {
        return;
    }
    if (i == 0) {
        List1.setListIndex(i + 1);
        dialogs_.messageBox(texts::kTopEdgePrompt, MessageStyle::Ok, "");
        return;
    }
    exchangeWithNeighbour(i, i - 1);
}

void MainForm::Command9_Click() {
    const int i = entryToMove();
    if (i < 0) {
        return;
    }
    if (List1.List(i + 1).empty()) {
        dialogs_.beep();
        List1.setListIndex(i - 1);
        dialogs_.messageBox(texts::kBottomEdgePrompt, MessageStyle::Ok, "");
        return;
    }
    exchangeWithNeighbour(i, i + 1);
}

// Focuses the list and returns the entry to move, selecting the first when none is; -1 when there is
// nothing to move (an empty list only beeps).
int MainForm::entryToMove() {
    List1.SetFocus();
    if (List1.ListCount() == 0) {
        dialogs_.beep();
        return -1;
    }
    if (List1.ListIndex() == -1) {
        List1.setListIndex(0);
    }
    return List1.ListIndex();
}

void MainForm::exchangeWithNeighbour(int index, int neighbour) {
    const std::string other = List1.List(neighbour);
    const std::string moved = List1.List(index);
    List1.setList(index, other);
    List1.setList(neighbour, moved);
    List1.setSelected(neighbour, true);
}

} // namespace hopwick
