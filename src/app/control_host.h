#pragma once

#include "platform/control_id.h"

namespace hopwick {

// What a control model needs from the window that owns it: to pass on focus moves and changes to be shown.
class ControlHost {
public:
    virtual void focusControl(ControlId control) = 0;
    virtual void controlChanged(ControlId control) = 0;

protected:
    ~ControlHost() = default;
};

} // namespace hopwick
