#pragma once

#include "platform/dialogs.h"
#include "platform/system_services.h"
#include "platform/window_view.h"

namespace hopwick {

// The platform as the core takes it, one object per concern; one object may serve several. Every operation
// runs on the user-interface thread.
struct Platform {
    SystemServices& system;
    Dialogs& dialogs;
    WindowView& view;
};

} // namespace hopwick
