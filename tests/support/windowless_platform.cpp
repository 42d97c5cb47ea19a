#include "windowless_platform.h"

namespace hopwick::testing {

MessageAnswer WindowlessPlatform::messageBox(const std::string& prompt, MessageStyle style, const std::string& title) {
    messages.push_back(title + ": " + prompt);
    return style == MessageStyle::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

} // namespace hopwick::testing
