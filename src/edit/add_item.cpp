#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::Command20_Click() {
    if (Text1.Text().empty()) {
        dialogs_.beep();
        dialogs_.messageBox(texts::kEmptyTextPrompt, MessageStyle::Ok, texts::kEnterPathTitle);
        Text1.SetFocus();
        return;
    }
    const PathSearch search =
        system_.findPath(Text1.Text(), PathAttributes::Hidden | PathAttributes::System | PathAttributes::Folder);
    if (!search.error.empty()) {
        dialogs_.messageBox(Text1.Text() + "\r\n" + search.error, MessageStyle::Ok, texts::kPathSearchFailedTitle);
        Text1.SetFocus();
        return;
    }
    if (search.name.empty()) {
        dialogs_.beep();
        dialogs_.messageBox(texts::kNoSuchPathPrompt, MessageStyle::Ok, texts::kEnterPathTitle);
        Text1.SetFocus();
        return;
    }
    if (!admitsNewItem(Text1.Text())) {
        Text1.SetFocus();
        return;
    }
    List1.AddItem(Text1.Text());
    List1.scrollIntoView(List1.ListCount() - 1); // the new entry shows that the add worked
    Command1.SetFocus();
}

void MainForm::Command3_Click() {
    CommonDialog1.Flags = 4;
    CommonDialog1.Filter = texts::kItemFilter;
    CommonDialog1.ShowOpen();
    // A cancelled dialog still fills in the name that the chooser kept, or empties the text.
    Text1.setText(CommonDialog1.FileName);
    Command20.SetFocus();
    Form.SetFocus();
}

} // namespace hopwick
