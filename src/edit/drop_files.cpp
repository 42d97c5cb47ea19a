#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::Form_OLEDragOver(const DataObject&, int& Effect, int, int, float, float, int) {
    Effect = kDropEffectCopy;
}

void MainForm::Form_OLEDragDrop(const DataObject& Data, int&, int, int, float, float) {
    dropFiles(Data);
}

void MainForm::List1_OLEDragOver(const DataObject&, int& Effect, int, int, float, float, int) {
    Effect = kDropEffectCopy;
}

void MainForm::List1_OLEDragDrop(const DataObject& Data, int&, int, int, float, float) {
    dropFiles(Data);
}

// Each dropped file is offered on its own; every one accepted is stored at once, in either mode.
void MainForm::dropFiles(const DataObject& data) {
    Form.SetFocus();
    if (!data.GetFormat(kFormatFiles)) {
        return;
    }
    const int count = data.FilesCount();
    for (DropIndex = 1; DropIndex <= count; ++DropIndex) {
        DropPath = data.FilesItem(DropIndex);
        if (!admitsNewItem(DropPath)) {
            if (List1.ListCount() >= kStoreSlots) {
                break; // the list is full: offering the rest would only be refused again
            }
            continue;
        }
        DropAnswer = platform_.messageBox(texts::kDropPrompt, kStyleYesNo, texts::kDropTitle);
        if (DropAnswer == kAnswerYes) {
            List1.AddItem(DropPath);
            SI();
        }
    }
}

} // namespace hopwick
