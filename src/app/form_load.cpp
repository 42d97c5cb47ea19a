#include "app/control_table.h"
#include "app/main_form.h"
#include "app/texts.h"
#include "store/item_guard.h"

namespace hopwick {

void MainForm::Form_Load() {
    // The whole argument text is one path, opened through the shell when it names something.
    const std::string commandLine = platform_.commandLine();
    if (!commandLine.empty() && !namesNothing(commandLine) &&
        !platform_.findPath(commandLine, kAttrFolder).name.empty()) {
        platform_.shellExecute("open", commandLine, platform_.currentDirectory(), kShow);
    }
    SetupMode = false;
    Form.setHeight(kNormalOuterHeight);
    Form.setWidth(kOuterWidth);
    Form.setCaption(texts::kAppTitle);
    Label2.setCaption(texts::kSetupLabelCaption);
    OpenF();
}

} // namespace hopwick
