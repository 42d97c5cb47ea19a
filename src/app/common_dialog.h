#pragma once

#include "platform/dialogs.h"

#include <string>

namespace hopwick {

// The window's one file-open dialog. Its file name is the dialog's starting name and its result, and it is
// kept between uses: a confirmed choice replaces it, a cancel leaves it as it was.
class CommonDialog {
public:
    explicit CommonDialog(Dialogs& dialogs) : dialogs_(dialogs) {}

    long Flags = 0;
    std::string Filter;
    std::string FileName;

    void ShowOpen();

private:
    Dialogs& dialogs_;
};

} // namespace hopwick
