#include "app/common_dialog.h"

namespace hopwick {

void CommonDialog::ShowOpen() {
    if (auto chosen = platform_.showOpenDialog({Flags, Filter, FileName})) {
        FileName = *chosen;
    }
}

} // namespace hopwick
