#include "app/main_form.h"

namespace hopwick {

MainForm::ClickHandler MainForm::clickHandlerOf(ControlId control) {
    switch (control) {
    case ControlId::Command1: return &MainForm::Command1_Click;
    case ControlId::Command2: return &MainForm::Command2_Click;
    case ControlId::Command3: return &MainForm::Command3_Click;
    case ControlId::Command4: return &MainForm::Command4_Click;
    case ControlId::Command5: return &MainForm::Command5_Click;
    case ControlId::Command6: return &MainForm::Command6_Click;
    case ControlId::Command7: return &MainForm::Command7_Click;
    case ControlId::Command8: return &MainForm::Command8_Click;
    case ControlId::Command9: return &MainForm::Command9_Click;
    case ControlId::Command20: return &MainForm::Command20_Click;
    case ControlId::Label2: return &MainForm::Label2_Click;
    case ControlId::Label3: return &MainForm::Label3_Click;
    case ControlId::Label4: return &MainForm::Label4_Click;
    default: return nullptr;
    }
}

} // namespace hopwick
