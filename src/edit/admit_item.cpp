#include "app/main_form.h"
#include "app/texts.h"
#include "edit/drop_refusals.h"
#include "store/item_guard.h"

namespace hopwick {

// The store keeps 40 items and cannot hold a double quote or a NUL: an item it would lose is refused at the
// door, whichever door that is.
bool MainForm::admitsNewItem(const std::string& path) {
    if (List1.ListCount() >= kStoreSlots) {
        refuseItem(path, texts::kListFullPrompt, texts::kListFullTitle);
        return false;
    }
    return admitsPicturePath(path);
}

bool MainForm::admitsPicturePath(const std::string& path) {
    if (const char* reason = unstorableReason(path)) {
        refuseItem(path, reason, texts::kEnterPathTitle);
        return false;
    }
    return true;
}

// A drop reports what it refused in one box at its end; anything else is told at once.
void MainForm::refuseItem(const std::string& path, const char* prompt, const char* title) {
    if (dropRefusals_ != nullptr) {
        dropRefusals_->refuse(prompt, path);
        return;
    }
    dialogs_.beep();
    dialogs_.messageBox(prompt, MessageStyle::Ok, title);
}

} // namespace hopwick
