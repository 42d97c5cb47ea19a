#pragma once

#include <string>
#include <vector>

namespace hopwick {

// The dropped names that could not be added, grouped by the reason, for one report after the drop.
class DropRefusals {
public:
    void refuse(const std::string& reason, const std::string& name);
    bool empty() const { return groups_.empty(); }
    // Each reason followed by the first of its names and how many more there were.
    std::string report() const;

private:
    struct Group {
        std::string reason;
        std::vector<std::string> shown;
        int more = 0;
    };
    std::vector<Group> groups_;
};

} // namespace hopwick
