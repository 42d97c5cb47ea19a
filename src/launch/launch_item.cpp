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
        const ProgramStart start = platform_.startProgram(programFile, tool->windowStyle);
        if (!start.started) {
            platform_.messageBox(programFile + "\r\n" + start.reason, kStyleOk, texts::kLaunchFailedTitle);
        }
        return;
    }

    const PathSearch search = platform_.findPath(item, kAttrHidden | kAttrSystem | kAttrFolder);
    if (!search.error.empty()) {
        // The search could not look (no permission, device not ready): that is not "nothing there",
        // so the item must not be removed.
        platform_.messageBox(item + "\r\n" + search.error, kStyleOk, texts::kPathSearchFailedTitle);
        return;
    }
    if (!search.name.empty()) {
        platform_.shellExecute("open", item, platform_.currentDirectory(), kShow);
        return;
    }
    platform_.messageBox(texts::kWrongPathPrompt, kStyleOk, texts::kWrongPathTitle);
    Command2_Click();
    Label2_Click();
}

} // namespace hopwick
