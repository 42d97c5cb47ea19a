#include "app/control_table.h"
#include "app/main_form.h"
#include "app/texts.h"
#include "store/item_guard.h"

namespace hopwick {

void MainForm::Form_Load(const std::string& commandLine) {
    // The whole argument text is one path, opened through the shell when it names something.
    if (!commandLine.empty() && !namesNothing(commandLine) &&
        !system_.findPath(commandLine, PathAttributes::Folder).name.empty()) {
        openThroughShell(commandLine);
    }
    SetupMode = false;
    Form.setHeight(kNormalOuterHeight);
    Form.setWidth(kOuterWidth);
    Form.setCaption(texts::kAppTitle);
    Label2.setCaption(texts::kSetupLabelCaption);
    OpenF();
}

} // namespace hopwick
