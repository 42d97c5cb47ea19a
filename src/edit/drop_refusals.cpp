#include "edit/drop_refusals.h"

#include "app/texts.h"

#include <algorithm>
#include <utility>

namespace hopwick {

namespace {

// Enough to recognise what was refused; a box naming thousands of names would not fit on the screen.
constexpr std::size_t kNamesShown = 5;

} // namespace

void DropRefusals::refuse(const std::string& reason, const std::string& name) {
    auto group = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) { return g.reason == reason; });
    if (group == groups_.end()) {
        group = groups_.insert(groups_.end(), Group{reason, {}, 0});
    }
    if (group->shown.size() < kNamesShown) {
        // A NUL would end the box's text early on Windows, and a line break would split a name in two.
        std::string shown = name;
        std::replace_if(
            shown.begin(), shown.end(), [](char c) { return c == '\0' || c == '\r' || c == '\n'; }, '?');
        group->shown.push_back(std::move(shown));
    } else {
        ++group->more;
    }
}

std::string DropRefusals::report() const {
    std::string text;
    for (const Group& group : groups_) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += group.reason;
        for (const std::string& name : group.shown) {
            text += "\r\n" + name;
        }
        if (group.more > 0) {
            text += "\r\n" + std::string(texts::kMoreNamesBefore) + std::to_string(group.more) + texts::kMoreNamesAfter;
        }
    }
    return text;
}

} // namespace hopwick
