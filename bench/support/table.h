#pragma once

#include "support/comparison.h"

#include <optional>
#include <string>

namespace hopwick::bench {

// One line of the results table, printed as a Markdown row.
struct Row {
    std::string figure; // what was measured
    std::string unit;   // "ms", "µs", "MB", …
    Summary hopwick;
    std::optional<Summary> floor; // the toolkit's or the system's floor, measured in the same run
    std::string floorName;
    std::string goal; // in words; empty when the figure is only reported
    std::optional<bool> met;
};

double ratioOfMedians(const Summary& hopwick, const Summary& floor);

// One row of the table that bench/run_benchmarks.sh heads.
void printRow(const Row& row);

// A row that counts events, such as failed runs, of Hopwick and of its floor out of `total` each.
void printCountRow(const std::string& figure, int hopwick, int floor, const std::string& floorName, int total);

} // namespace hopwick::bench
