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
        platform_.beep();
        platform_.messageBox(texts::kListFullPrompt, kStyleOk, texts::kListFullTitle);
        return false;
    }
    return admitsPicturePath(path);
}

bool MainForm::admitsPicturePath(const std::string& path) {
    if (holdsQuote(path)) {
        platform_.beep();
        platform_.messageBox(texts::kQuoteInPathPrompt, kStyleOk, texts::kEnterPathTitle);
        return false;
    }
    return true;
}

} // namespace hopwick
