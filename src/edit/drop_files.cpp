#include "app/main_form.h"
#include "app/texts.h"
#include "edit/drop_refusals.h"

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

// A drop that arrives while another one asks its questions waits until that one has finished, so that the
// two never interleave their questions and saves.
void MainForm::dropFiles(const DataObject& data) {
    Form.SetFocus();
    if (!data.GetFormat(kFormatFiles)) {
        return;
    }
    if (dropRefusals_ != nullptr) {
        pendingDrops_.push_back(data);
        return;
    }
    offerDroppedFiles(data);
    while (!pendingDrops_.empty()) {
        const DataObject next = std::move(pendingDrops_.front());
        pendingDrops_.pop_front();
        offerDroppedFiles(next);
    }
}

// Each dropped file that may be stored is offered on its own; every one accepted is stored at once, in
// either mode. Names that cannot be stored are told together at the end, and closing a question without an
// answer stops the drop.
void MainForm::offerDroppedFiles(const DataObject& data) {
    DropRefusals refusals;
    dropRefusals_ = &refusals;
    const int count = data.FilesCount();
    // False when the name is refused; once the list is full, every later name is refused with it.
    const auto admitted = [&] {
        if (admitsNewItem(DropPath)) {
            return true;
        }
        if (List1.ListCount() >= kStoreSlots) {
            for (int rest = DropIndex + 1; rest <= count; ++rest) {
                refusals.refuse(texts::kListFullPrompt, data.FilesItem(rest));
            }
            DropIndex = count;
        }
        return false;
    };
    for (DropIndex = 1; DropIndex <= count; ++DropIndex) {
        DropPath = data.FilesItem(DropIndex);
        if (!admitted()) {
            continue;
        }
        DropAnswer = dialogs_.messageBox(texts::kDropPrompt, MessageStyle::YesNo, texts::kDropTitle);
        if (DropAnswer == MessageAnswer::No) {
            continue;
        }
        if (DropAnswer != MessageAnswer::Yes || !followStoreBeforeDropSave()) {
            break;
        }
        // The list that was followed may have no room left.
        if (!admitted()) {
            continue;
        }
        List1.AddItem(DropPath);
        SI();
    }
    dropRefusals_ = nullptr;
    if (!refusals.empty()) {
        dialogs_.beep();
        dialogs_.messageBox(refusals.report(), MessageStyle::Ok, texts::kDropRefusedTitle);
    }
}

} // namespace hopwick
