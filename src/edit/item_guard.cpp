#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

namespace {

bool holdsQuote(const std::string& path) {
    return path.find('"') != std::string::npos;
}

} // namespace

// The store keeps 40 items and cannot hold a double quote: an item it would lose is refused at the door.
bool MainForm::admitsNewItem(const std::string& path) {
    if (List1.ListCount() >= kStoreSlots) {
        refuseItem(path, texts::kListFullPrompt, texts::kListFullTitle);
        return false;
    }
    return admitsPicturePath(path);
}

bool MainForm::admitsPicturePath(const std::string& path) {
    if (holdsQuote(path)) {
        refuseItem(path, texts::kQuoteInPathPrompt, texts::kEnterPathTitle);
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
    platform_.beep();
    platform_.messageBox(prompt, kStyleOk, title);
}

} // namespace hopwick
