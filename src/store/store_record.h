#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hopwick {

inline constexpr int kStoreFields = 41; // 40 items and the picture path

// One line of double-quoted fields joined by commas, ended by CR LF. Fields are written as they stand:
// the format has no escaping, so a field must not hold a double quote.
std::string formatRecord(const std::vector<std::string>& fields);

struct ParsedRecord {
    std::vector<std::string> fields; // at most kStoreFields, in order
    bool damaged = false;            // anything the writer never produces, or fewer fields than a record holds
};

// Reads the fields of a record: a field runs from its opening quote to the next quote, and the next field
// begins after the following comma or line break, so a record may also stand on several lines. Whatever
// follows the last field is not read.
ParsedRecord parseRecord(std::string_view bytes);

} // namespace hopwick
