#pragma once

#include "platform/system_services.h"

#include <span>
#include <string_view>

namespace hopwick {

struct BuiltinTool {
    std::string_view name;        // as shown in the list; matched whole and case-sensitively
    std::string_view programFile; // what the program start is given
    ShowCommand windowStyle;
};

// The 15 built-in tools in table order; their names are also the default items of the list.
std::span<const BuiltinTool> BuiltinTools();
const BuiltinTool* findBuiltinTool(std::string_view name);

} // namespace hopwick
