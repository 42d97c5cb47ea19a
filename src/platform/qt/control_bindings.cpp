#include "control_bindings.h"

#include <array>
#include <utility>

namespace hopwick {

namespace {

const std::array<std::pair<ControlId, ButtonBinding>, 10> kButtons{{
    {ControlId::Command1, {&MainForm::Command1, &MainForm::Command1_Click}},
    {ControlId::Command2, {&MainForm::Command2, &MainForm::Command2_Click}},
    {ControlId::Command3, {&MainForm::Command3, &MainForm::Command3_Click}},
    {ControlId::Command4, {&MainForm::Command4, &MainForm::Command4_Click}},
    {ControlId::Command5, {&MainForm::Command5, &MainForm::Command5_Click}},
    {ControlId::Command6, {&MainForm::Command6, &MainForm::Command6_Click}},
    {ControlId::Command7, {&MainForm::Command7, &MainForm::Command7_Click}},
    {ControlId::Command8, {&MainForm::Command8, &MainForm::Command8_Click}},
    {ControlId::Command9, {&MainForm::Command9, &MainForm::Command9_Click}},
    {ControlId::Command20, {&MainForm::Command20, &MainForm::Command20_Click}},
}};

const std::array<std::pair<ControlId, LabelBinding>, 4> kLabels{{
    {ControlId::Label1, {&MainForm::Label1, nullptr}},
    {ControlId::Label2, {&MainForm::Label2, &MainForm::Label2_Click}},
    {ControlId::Label3, {&MainForm::Label3, &MainForm::Label3_Click}},
    {ControlId::Label4, {&MainForm::Label4, &MainForm::Label4_Click}},
}};

template <typename Binding, std::size_t N>
const Binding* find(const std::array<std::pair<ControlId, Binding>, N>& table, ControlId id) {
    for (const auto& [control, binding] : table) {
        if (control == id) {
            return &binding;
        }
    }
    return nullptr;
}

} // namespace

const ButtonBinding* buttonBinding(ControlId id) {
    return find(kButtons, id);
}
const LabelBinding* labelBinding(ControlId id) {
    return find(kLabels, id);
}

} // namespace hopwick
