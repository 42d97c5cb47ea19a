#include "app/control_table.h"
#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::Label2_Click() {
    if (!SetupMode) {
        SavedCaption = Form.Caption();
    }
    Form.setHeight(kSetupOuterHeight);
    Text1.SetFocus();
    Label2.setFontBold(true);
    Command1.setBackColor(kSetupOkColor);
    Form.setCaption(texts::kSetupCaption);
    SetupMode = true;
}

// A store that another process saved meanwhile is overwritten only when the user says so; No takes the other
// list up instead, and closing the question stays in setup mode with nothing written.
void MainForm::Command1_Click() {
    if (otherListStored()) {
        const MessageAnswer answer = askToOverwriteStore();
        if (answer == MessageAnswer::No) {
            leaveSetupMode();
            OpenF();
            return;
        }
        if (answer != MessageAnswer::Yes) {
            return;
        }
    }
    leaveSetupMode();
    SI();
}

void MainForm::Command6_Click() {
    leaveSetupMode();
    OpenF();
}

void MainForm::leaveSetupMode() {
    Form.setHeight(kNormalOuterHeight);
    List1.SetFocus();
    SetupMode = false;
    Label2.setFontBold(false);
    Command1.setBackColor(kButtonFaceColor);
    Form.setCaption(SavedCaption);
}

} // namespace hopwick
