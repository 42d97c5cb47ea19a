#include "app/main_form.h"
#include "app/texts.h"
#include "launch/builtin_tools.h"

namespace hopwick {

void MainForm::List1_Click() {
    // In setup mode a click only selects: the editing commands move the selection and must start nothing.
    if (SetupMode || List1.ListIndex() < 0) {
        return;
    }
    const std::string item = List1.List(List1.ListIndex());

    if (const BuiltinTool* tool = findBuiltinTool(item)) {
        const std::string programFile(tool->programFile);
        const ProgramStart start = system_.startProgram(programFile, tool->windowStyle);
        if (!start.started) {
            dialogs_.messageBox(programFile + "\r\n" + start.reason, MessageStyle::Ok, texts::kLaunchFailedTitle);
        }
        return;
    }

    const PathSearch search =
        system_.findPath(item, PathAttributes::Hidden | PathAttributes::System | PathAttributes::Folder);
    if (!search.error.empty()) {
        // The search could not look (no permission, device not ready): that is not "nothing there",
        // so the item must not be removed.
        dialogs_.messageBox(item + "\r\n" + search.error, MessageStyle::Ok, texts::kPathSearchFailedTitle);
        return;
    }
    if (!search.name.empty()) {
        openThroughShell(item);
        return;
    }
    dialogs_.messageBox(texts::kWrongPathPrompt, MessageStyle::Ok, texts::kWrongPathTitle);
    Command2_Click();
    Label2_Click();
}

} // namespace hopwick
