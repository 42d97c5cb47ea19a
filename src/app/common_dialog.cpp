#include "app/common_dialog.h"

namespace hopwick {

void CommonDialog::ShowOpen() {
    if (auto chosen = dialogs_.showOpenDialog({Flags, Filter, FileName})) {
        FileName = *chosen;
    }
}

} // namespace hopwick
