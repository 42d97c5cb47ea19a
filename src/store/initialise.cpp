#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::Command5_Click() {
    if (platform_.messageBox(texts::kInitialisePrompt, kStyleYesNo, texts::kInitialiseTitle) == kAnswerYes) {
        List1.Clear();
        Ini();
    }
}

} // namespace hopwick
