#include "store/item_guard.h"
#include "app/texts.h"

namespace hopwick {

bool namesNothing(std::string_view path) {
    return path.find('\0') != std::string_view::npos;
}

const char* unstorableReason(std::string_view path) {
    if (namesNothing(path)) {
        return texts::kNoSuchPathPrompt;
    }
    if (path.find('"') != std::string_view::npos) {
        return texts::kQuoteInPathPrompt;
    }
    return nullptr;
}

} // namespace hopwick
