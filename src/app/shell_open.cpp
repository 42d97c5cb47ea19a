#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::openThroughShell(const std::string& file) {
    const std::string failure = system_.shellExecute("open", file, system_.currentDirectory(), ShowCommand::Show);
    // Once is enough: the reason is the system's lack of an opener, which every later open would repeat.
    if (!failure.empty() && !shellFailureTold_) {
        shellFailureTold_ = true;
        dialogs_.messageBox(failure, MessageStyle::Ok, texts::kShellOpenFailedTitle);
    }
}

} // namespace hopwick
