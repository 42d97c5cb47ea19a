#include "app/main_form.h"
#include "app/texts.h"

namespace hopwick {

void MainForm::Command4_Click() {
    CommonDialog1.Flags = 4;
    CommonDialog1.Filter = texts::kPictureFilter;
    CommonDialog1.ShowOpen();
    const std::string name = CommonDialog1.FileName;
    if (name.empty() || !admitsPicturePath(name)) {
        return;
    }
    // Loaded first, so that a file that is no picture leaves the shown picture and its path alone.
    const PictureLoad load = view_.loadPicture(name);
    if (!load.picture) {
        dialogs_.messageBox(name + "\r\n" + load.error, MessageStyle::Ok, texts::kPictureFailedTitle);
        return;
    }
    Form.setPicture(load.picture);
    PicturePath = name;
    Command1.SetFocus();
    Form.SetFocus();
}

void MainForm::Command7_Click() {
    Form.setPicture(view_.loadPicture("").picture);
    PicturePath.clear();
}

} // namespace hopwick
