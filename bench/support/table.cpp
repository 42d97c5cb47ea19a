#include "support/table.h"

#include <cstdio>

namespace hopwick::bench {

namespace {

// Three significant figures or so, whatever the magnitude.
std::string number(double value) {
    char text[32];
    const char* format = value >= 100 ? "%.0f" : value >= 10 ? "%.1f" : value >= 1 ? "%.2f" : "%.3f";
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string describe(const Summary& summary, const std::string& unit) {
    return number(summary.median) + " " + unit + " (" + number(summary.minimum) + "–" + number(summary.maximum) +
           ", n=" + std::to_string(summary.count) + ")";
}

} // namespace

double ratioOfMedians(const Summary& hopwick, const Summary& floor) {
    return floor.median > 0 ? hopwick.median / floor.median : 0;
}

void printRow(const Row& row) {
    const std::string floor = row.floor ? describe(*row.floor, row.unit) : "–";
    const std::string ratio = row.floor ? number(ratioOfMedians(row.hopwick, *row.floor)) : "–";
    const std::string met = !row.met ? "–" : *row.met ? "yes" : "**no**";
    std::printf("| %s | %s | %s | %s | %s | %s | %s |\n", row.figure.c_str(), describe(row.hopwick, row.unit).c_str(),
                row.floor ? row.floorName.c_str() : "–", floor.c_str(), ratio.c_str(),
                row.goal.empty() ? "–" : row.goal.c_str(), met.c_str());
    std::fflush(stdout);
}

void printCountRow(const std::string& figure, int hopwick, int floor, const std::string& floorName, int total) {
    const auto outOf = [total](int count) { return std::to_string(count) + " of " + std::to_string(total); };
    std::printf("| %s | %s | %s | %s | – | – | – |\n", figure.c_str(), outOf(hopwick).c_str(), floorName.c_str(),
                outOf(floor).c_str());
    std::fflush(stdout);
}

} // namespace hopwick::bench
