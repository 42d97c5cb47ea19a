#include "windowless_platform.h"

namespace hopwick::testing {

int WindowlessPlatform::messageBox(const std::string& prompt, int style, const std::string& title) {
    messages.push_back(title + ": " + prompt);
    return style == kStyleYesNo ? kAnswerYes : kAnswerOk;
}

} // namespace hopwick::testing
