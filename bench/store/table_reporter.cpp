#include "store/table_reporter.h"

#include <iostream>

namespace hopwick::bench {

TableReporter::TableReporter() {
    SetOutputStream(&std::cerr);
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
            times_[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
        }
    }
}

Summary TableReporter::summary(const std::string& name) const {
    const auto found = times_.find(name);
    return found == times_.end() ? Summary{} : summarise(found->second);
}

} // namespace hopwick::bench
