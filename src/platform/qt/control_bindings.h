#pragma once

#include "app/main_form.h"

namespace hopwick {

using Handler = void (MainForm::*)();

// Which model of the form a button or label shows, and which handler its click runs.
struct ButtonBinding {
    Button MainForm::*model;
    Handler click;
};

struct LabelBinding {
    Label MainForm::*model;
    Handler click; // null: the label has no click handler
};

// Null for a control of another kind.
const ButtonBinding* buttonBinding(ControlId id);
const LabelBinding* labelBinding(ControlId id);

} // namespace hopwick
