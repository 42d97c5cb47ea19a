#pragma once

#include "support/comparison.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace hopwick::bench {

// Google Benchmark's console output, on standard error, and the time of every repetition kept for the table.
class TableReporter final : public benchmark::ConsoleReporter {
public:
    TableReporter();
    void ReportRuns(const std::vector<Run>& runs) override;

    // The repetitions of the benchmark registered under `name`, in its time unit.
    Summary summary(const std::string& name) const;

private:
    std::map<std::string, std::vector<double>> times_;
};

} // namespace hopwick::bench
