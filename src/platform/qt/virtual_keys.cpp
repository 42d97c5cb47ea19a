#include "virtual_keys.h"

#include "app/main_form.h"
#include "flag_bits.h"

#include <array>
#include <utility>

namespace hopwick {

namespace {

constexpr std::array<std::pair<int, int16_t>, 24> kNamedKeys{{
    {Qt::Key_Backspace, 8},     {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},   {Qt::Key_Return, kKeyEnter},
    {Qt::Key_Enter, kKeyEnter}, {Qt::Key_Shift, 16},  {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},        {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},     {Qt::Key_End, 35},    {Qt::Key_Home, 36},     {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},           {Qt::Key_Right, 39},  {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},       {Qt::Key_Menu, 93},   {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
}};

constexpr int16_t kFirstFunctionKey = 112; // F1

} // namespace

int16_t virtualKeyCode(int qtKey) {
    // Qt's codes of letters and digits are their upper-case characters, as the virtual keys are.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<int16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<int16_t>(kFirstFunctionKey + (qtKey - Qt::Key_F1));
    }
    for (const auto& [key, code] : kNamedKeys) {
        if (key == qtKey) {
            return code;
        }
    }
    return 0;
}

int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    return static_cast<int16_t>(bitsOf(modifiers, {std::pair{Qt::ShiftModifier, int(kShiftMask)},
                                                   {Qt::ControlModifier, int(kCtrlMask)},
                                                   {Qt::AltModifier, int(kAltMask)}}));
}

} // namespace hopwick
