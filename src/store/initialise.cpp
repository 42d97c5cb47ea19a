#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::Command5_Click() {
    if (dialogs_.messageBox(texts::kInitialisePrompt, MessageStyle::YesNo, texts::kInitialiseTitle) ==
        MessageAnswer::Yes) {
        List1.Clear();
        Ini();
    }
}

} // namespace hopwick
