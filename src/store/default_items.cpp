#include "app/main_form.h"
#include "launch/builtin_tools.h"

namespace hopwick {

// The default items are the built-in tools' names, so that the two can never disagree.
void MainForm::Ini() {
    for (const BuiltinTool& tool : BuiltinTools()) {
        List1.AddItem(std::string(tool.name));
    }
}

} // namespace hopwick
