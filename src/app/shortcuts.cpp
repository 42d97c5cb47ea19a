#include "app/main_form.h"

namespace hopwick {

namespace {

// Where "Help!" sends the user: a new mail to the project's contact address.
constexpr const char* kHelpTarget = "mailto:support@hopwick.example";

} // namespace

void MainForm::Text1_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
    if (KeyCode == kKeyEnter) {
        Command20_Click();
    }
}

void MainForm::Form_DblClick() {
    if (SetupMode) {
        Command4_Click();
    }
}

void MainForm::Form_KeyDown(int16_t& KeyCode, int16_t Shift) {
    // Alt with a letter runs a setup command, but only while the setup band is in view: in normal mode the
    // commands would change the list unseen. A handled key is swallowed.
    if (!SetupMode || (Shift & (kAltMask | kCtrlMask)) != kAltMask) {
        return;
    }
    switch (KeyCode) {
    case 'P': Command4_Click(); break;
    case 'I': Command5_Click(); break;
    case 'D': Command2_Click(); break;
    case 'S': Command20_Click(); break;
    case 'C': Command3_Click(); break;
    case 'E': Command7_Click(); break;
    default: return;
    }
    KeyCode = 0;
}

void MainForm::Label3_Click() {
    platform_.shellExecute("open", kHelpTarget, platform_.currentDirectory(), kShow);
}

void MainForm::Label4_Click() {
    platform_.closeWindow();
}

} // namespace hopwick
