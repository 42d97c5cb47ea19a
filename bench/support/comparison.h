#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace hopwick::bench {

struct Summary {
    double median = 0;
    double minimum = 0;
    double maximum = 0;
    std::size_t count = 0;
};

Summary summarise(std::vector<double> samples);

// One measurement of one side, in the unit that its row reports.
using Measure = std::function<double()>;

// Runs every side once per round, the order rotating from round to round, so that a change in the machine's
// load falls on all sides alike. The warm-up rounds are measured but not kept.
std::vector<std::vector<double>> alternate(const std::vector<Measure>& sides, int warmUpRounds, int rounds);

} // namespace hopwick::bench
