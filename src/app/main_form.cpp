#include "app/main_form.h"

#include "app/control_table.h"

namespace hopwick {

MainForm::MainForm(Platform platform)
    : store_(platform.system), Form(platform.view, *this), List1(*this), Text1(*this),
      Label1(*this, controlSpec(ControlId::Label1)), Label2(*this, controlSpec(ControlId::Label2)),
      Label3(*this, controlSpec(ControlId::Label3)), Label4(*this, controlSpec(ControlId::Label4)),
      Command1(*this, ControlId::Command1, kButtonFaceColor), Command2(*this, ControlId::Command2, kButtonFaceColor),
      Command3(*this, ControlId::Command3, kButtonFaceColor), Command4(*this, ControlId::Command4, kButtonFaceColor),
      Command5(*this, ControlId::Command5, kButtonFaceColor), Command6(*this, ControlId::Command6, kButtonFaceColor),
      Command7(*this, ControlId::Command7, kButtonFaceColor), Command8(*this, ControlId::Command8, kButtonFaceColor),
      Command9(*this, ControlId::Command9, kButtonFaceColor), Command20(*this, ControlId::Command20, kButtonFaceColor),
      CommonDialog1(platform.dialogs), system_(platform.system), dialogs_(platform.dialogs), view_(platform.view) {
    List1.setClickHandler([this] { List1_Click(); });
}

void MainForm::focusControl(ControlId control) {
    focused_ = control;
    view_.setFocus(control);
}

void MainForm::controlChanged(ControlId control) {
    view_.controlChanged(control);
}

} // namespace hopwick
