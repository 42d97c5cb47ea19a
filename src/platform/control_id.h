#pragma once

namespace hopwick {

// The main window and its controls, in tab order. `Form` stands for the window itself.
enum class ControlId {
    Form,
    List1,
    Text1,
    Command20,
    Command1,
    Command3,
    Command5,
    Command2,
    Label4,
    Label1,
    Label2,
    Command4,
    Command7,
    Label3,
    Command6,
    Command8,
    Command9,
};

} // namespace hopwick
