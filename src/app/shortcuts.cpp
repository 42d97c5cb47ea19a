#include "app/main_form.h"

namespace hopwick {

namespace {

// Where "Help!" sends the user: a new mail to the project's contact address.
constexpr const char* kHelpTarget = "mailto:support@hopwick.example";

} // namespace

void MainForm::Text1_KeyDown(int16_t& KeyCode, int16_t Shift) {
    if (const KeyRule* rule = findKeyRule(KeyPlace::TextBox, KeyCode, Shift);
        rule != nullptr && rule->place == KeyPlace::TextBox) {
        (this->*clickHandlerOf(rule->control))();
    }
}

void MainForm::Form_DblClick() {
    if (SetupMode) {
        Command4_Click();
    }
}

void MainForm::Form_KeyDown(int16_t& KeyCode, int16_t Shift) {
    // A window shortcut acts only while its control is in view: in normal mode the setup commands would change
    // the list unseen, and "Help!" is not there. A handled key is swallowed.
    const KeyRule* rule = findKeyRule(KeyPlace::Window, KeyCode, Shift);
    if (rule == nullptr || !controlInView(rule->control)) {
        return;
    }
    KeyCode = 0;
    (this->*clickHandlerOf(rule->control))();
}

void MainForm::Label3_Click() {
    openThroughShell(kHelpTarget);
}

void MainForm::Label4_Click() {
    view_.closeWindow();
}

} // namespace hopwick
